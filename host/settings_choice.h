#ifndef OSTREVIN_HOST_SETTINGS_CHOICE_H_
#define OSTREVIN_HOST_SETTINGS_CHOICE_H_

#include <memory>
#include <string>

#include "host/args.h"
#include "settings/settings_store.h"

namespace ostrevin {

// The option every command that reads the user's settings takes.
inline constexpr OptionSpec kSettingsOption{"--settings", true};

// The settings store a command uses: the file named by --settings, else the user's settings file
// (DefaultSettingsFilePath). When no file can be named at all, an empty store in memory, so the
// defaults apply.
std::unique_ptr<SettingsStore> OpenSettingsStore(const ParsedArgs& args);

// The file OpenSettingsStore uses, or empty when it uses none.
std::string SettingsPathFor(const ParsedArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_SETTINGS_CHOICE_H_
