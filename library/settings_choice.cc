#include "library/settings_choice.h"

#include <filesystem>

#include "settings/ini_file_store.h"
#include "settings/memory_store.h"

namespace ostrevin {

std::unique_ptr<SettingsStore> OpenSettings(const char* path) {
  std::filesystem::path file =
      path != nullptr && *path != '\0' ? std::filesystem::path(path) : DefaultSettingsFilePath();
  if (file.empty()) return std::make_unique<MemoryStore>();
  return std::make_unique<IniFileStore>(std::move(file));
}

}  // namespace ostrevin
