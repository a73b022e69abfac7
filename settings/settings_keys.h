#ifndef OSTREVIN_SETTINGS_SETTINGS_KEYS_H_
#define OSTREVIN_SETTINGS_SETTINGS_KEYS_H_

#include <span>
#include <string_view>

namespace ostrevin {

// Every key the add-on keeps in the settings store, with the default its readers use.
struct SettingKey {
  std::string_view section;  // "CheckFor" or "Significances"
  std::string_view key;
  std::string_view default_text;
};

// Section "CheckFor" first, in the order the tests run; then section "Significances".
std::span<const SettingKey> AllSettingKeys();

// The settings key of `key` in `section`, compared without regard to case; null when unknown.
const SettingKey* FindSettingKey(std::string_view section, std::string_view key);

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_SETTINGS_KEYS_H_
