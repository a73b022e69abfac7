#include "host/settings_choice.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "settings/ini_file_store.h"
#include "settings/memory_store.h"

namespace ostrevin {

std::string SettingsPathFor(const ParsedArgs& args) {
  auto given = args.options.find(kSettingsOption.name);
  if (given != args.options.end()) return given->second;
  return DefaultSettingsFilePath().string();
}

std::unique_ptr<SettingsStore> OpenSettingsStore(const ParsedArgs& args) {
  const std::string path = SettingsPathFor(args);
  if (path.empty()) return std::make_unique<MemoryStore>();
  return std::make_unique<IniFileStore>(path);
}

SettingsFileState StateOfSettingsFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return SettingsFileState::kMissing;
  if (error || !std::filesystem::is_regular_file(status) || !std::ifstream(path))
    return SettingsFileState::kUnreadable;
  return SettingsFileState::kReadable;
}

void WarnAboutSettingsFile(const ParsedArgs& args, std::ostream& err) {
  const char* variable = std::getenv(std::string(kSettingsFileVariable).c_str());
  const bool named = args.Has(kSettingsOption.name) || (variable != nullptr && *variable != '\0');
  const std::string path = SettingsPathFor(args);
  if (!named || path.empty()) return;
  const SettingsFileState state = StateOfSettingsFile(path);
  if (state == SettingsFileState::kReadable) return;
  err << "ostrevin: warning: the settings file " << path
      << (state == SettingsFileState::kMissing ? " does not exist" : " cannot be read as a file")
      << "; the default tests and thresholds are used\n";
}

}  // namespace ostrevin
