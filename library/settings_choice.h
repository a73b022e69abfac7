#ifndef OSTREVIN_LIBRARY_SETTINGS_CHOICE_H_
#define OSTREVIN_LIBRARY_SETTINGS_CHOICE_H_

#include <memory>

#include "settings/settings_store.h"

namespace ostrevin {

// The settings store of the file `path`; for a null or empty path the user's settings file
// (DefaultSettingsFilePath), or, when none can be named, an empty store in memory.
std::unique_ptr<SettingsStore> OpenSettings(const char* path);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_SETTINGS_CHOICE_H_
