#ifndef OSTREVIN_SETTINGS_SETTINGS_KEYS_H_
#define OSTREVIN_SETTINGS_SETTINGS_KEYS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "values/error.h"

namespace ostrevin {

// Every key the add-on keeps in the settings store, with the default its readers use.
struct SettingKey {
  enum class Kind { kSwitch, kNumber };  // on or off (-1 or 0), or a threshold

  std::string_view section;  // "CheckFor" or "Significances"
  std::string_view key;
  std::string_view default_text;
  Kind kind = Kind::kSwitch;
  std::int16_t least = 0, most = 0;  // the thresholds a test can use
};

// Section "CheckFor" first, in the order the tests run; then section "Significances".
std::span<const SettingKey> AllSettingKeys();

// The settings key of `key` in `section`, compared without regard to case; null when unknown.
const SettingKey* FindSettingKey(std::string_view section, std::string_view key);

// The text to store for `value` typed for `key`: a switch takes on/off, true/false, yes/no or
// 1/-1/0, in any case, and is stored as -1 or 0; a threshold takes a whole number from key.least
// to key.most and is stored as its digits. Anything else fails with a message that says what the
// key takes. (The readers take whatever is stored as they always have; this is for new values.)
Result<std::string> SettingText(const SettingKey& key, std::string_view value);

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_SETTINGS_KEYS_H_
