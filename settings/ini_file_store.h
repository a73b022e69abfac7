#ifndef OSTREVIN_SETTINGS_INI_FILE_STORE_H_
#define OSTREVIN_SETTINGS_INI_FILE_STORE_H_

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix_file.h"
#include "settings/ini_document.h"
#include "settings/settings_store.h"

namespace ostrevin {

// Looks up an environment variable: its value, or nullopt when it is not set.
using EnvLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The variable that names the settings file, ahead of the user's own.
inline constexpr std::string_view kSettingsFileVariable = "OSTREVIN_SETTINGS";

// Where the user's settings file lives: $OSTREVIN_SETTINGS, else
// $XDG_CONFIG_HOME/Ostrevin/settings.ini (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/Ostrevin/settings.ini. An empty variable counts as unset. Returns an empty path
// when none of the three gives one.
std::filesystem::path SettingsFilePath(const EnvLookup& env);
// The same over the process environment, with the password database standing in for $HOME.
std::filesystem::path DefaultSettingsFilePath();

// The per-user settings file (grammar at the top of ini_file_store.cc). The file belongs to one
// application, so the application name is not part of it. Reads never fail: a missing, unreadable
// or unparsable file reads as empty. Reads see every change made by other processes yet parse the
// file only when its stamp changes. A write locks `<file>.lock`, re-reads and edits the file and
// replaces it atomically, so concurrent writers of different keys all keep their change; a file
// that exists but cannot be read or parsed is never overwritten. Not thread-safe.
class IniFileStore : public SettingsStore {
 public:
  // A settings file larger than this is not a settings file.
  static constexpr std::size_t kMaxFileSize = 1 << 20;

  // Coarse file times lag the precise clock by at most a scheduler tick; a second leaves room
  // for that and for small clock differences with a network file server.
  static constexpr std::chrono::nanoseconds kSettleTime = std::chrono::seconds(1);

  // `settle_time`: a file changed less than this long ago is read again at every read, since
  // another change within the same clock tick could leave its stamp as it is.
  explicit IniFileStore(std::filesystem::path path,
                        std::chrono::nanoseconds settle_time = kSettleTime)
      : path_(std::move(path)), settle_time_(settle_time) {}

  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  // Also false for names or a value that the file cannot hold (see IniDocument::IsWritable).
  bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool DeleteSection(std::string_view app, std::string_view section) override;

  const std::filesystem::path& path() const { return path_; }
  // How often the file has been read and parsed; lets tests see the cache at work.
  std::size_t parse_count() const { return parse_count_; }

 private:
  const IniDocument& Current();
  // Runs `edit` on the freshly read file under the lock and writes the result when it changed.
  bool Edit(const std::function<bool(IniDocument&)>& edit);
  void Remember(IniDocument doc, std::optional<FileStamp> stamp);

  std::filesystem::path path_;
  std::chrono::nanoseconds settle_time_;
  bool cached_ = false;
  bool settled_ = false;
  std::optional<FileStamp> stamp_;
  IniDocument doc_;
  std::size_t parse_count_ = 0;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_INI_FILE_STORE_H_
