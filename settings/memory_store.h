#ifndef OSTREVIN_SETTINGS_MEMORY_STORE_H_
#define OSTREVIN_SETTINGS_MEMORY_STORE_H_

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "settings/settings_store.h"

namespace ostrevin {

// A SettingsStore held in memory, for tests. Application, section and key names compare without
// regard to case. `set_fail_writes(true)` makes every save and delete fail and change nothing.
class MemoryStore : public SettingsStore {
 public:
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool DeleteSection(std::string_view app, std::string_view section) override;

  void set_fail_writes(bool fail) { fail_writes_ = fail; }
  // Number of stored keys over all applications and sections.
  std::size_t size() const { return values_.size(); }

 private:
  // Lower-cased application, section and key.
  using Address = std::tuple<std::string, std::string, std::string>;

  std::map<Address, std::string> values_;
  bool fail_writes_ = false;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_MEMORY_STORE_H_
