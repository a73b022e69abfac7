#ifndef OSTREVIN_SETTINGS_READ_ONCE_STORE_H_
#define OSTREVIN_SETTINGS_READ_ONCE_STORE_H_

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "settings/settings_store.h"

namespace ostrevin {

// A store over another that reads each value from it once and then remembers it: one diagnosis
// asks for the same switches and thresholds split after split, and sees one choice of tests even
// if the file changes meanwhile. Writes go through, and what was read is then read anew.
class ReadOnceStore : public SettingsStore {
 public:
  // `store` must outlive this object.
  explicit ReadOnceStore(SettingsStore& store) : store_(&store) {}

  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool DeleteSection(std::string_view app, std::string_view section) override;

 private:
  // As asked for: application, section, key and default; names are compared as given, so a
  // name in another case is read once more from the store, which compares without case.
  using Question = std::tuple<std::string, std::string, std::string, std::string>;

  SettingsStore* store_;
  std::map<Question, std::string, std::less<>> read_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_READ_ONCE_STORE_H_
