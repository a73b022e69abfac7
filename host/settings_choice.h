#ifndef OSTREVIN_HOST_SETTINGS_CHOICE_H_
#define OSTREVIN_HOST_SETTINGS_CHOICE_H_

#include <iosfwd>
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

// What the settings file of the arguments is: a file that can be read, nothing at all, or
// something that cannot be read as one (a folder, no permission).
enum class SettingsFileState { kReadable, kMissing, kUnreadable };
SettingsFileState StateOfSettingsFile(const std::string& path);

// Warns once on `err` when the settings file was named (--settings, or $OSTREVIN_SETTINGS) but
// cannot be read, so that the defaults apply. The user's own file at its default place may be
// missing without a word: it is written the first time a setting is saved.
void WarnAboutSettingsFile(const ParsedArgs& args, std::ostream& err);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_SETTINGS_CHOICE_H_
