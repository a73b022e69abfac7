#include "host/settings_choice.h"

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

}  // namespace ostrevin
