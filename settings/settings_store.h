#ifndef OSTREVIN_SETTINGS_SETTINGS_STORE_H_
#define OSTREVIN_SETTINGS_SETTINGS_STORE_H_

#include <string>
#include <string_view>

namespace ostrevin {

// A per-user store of text values addressed by application, section and key. Names compare
// without regard to case. Implementations: IniFileStore (the user's settings file) and
// MemoryStore (tests).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `default_value` when the section or key is missing or the store cannot
  // be read.
  virtual std::string GetSetting(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view default_value) = 0;
  // Stores the text. Returns false when the store could not be written.
  virtual bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  // Removes a whole section. Returns false when it could not (a missing section is no failure).
  virtual bool DeleteSection(std::string_view app, std::string_view section) = 0;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_SETTINGS_STORE_H_
