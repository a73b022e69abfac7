#include <ostream>

#include "host/args.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"
#include "settings/diagnosis_settings.h"
#include "settings/settings_keys.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin settings list [--settings FILE]\n"
    "       ostrevin settings get SECTION KEY [--settings FILE]\n"
    "       ostrevin settings set SECTION KEY VALUE [--settings FILE]\n"
    "       ostrevin settings reset [--settings FILE]\n"
    "       ostrevin settings path [--settings FILE]\n"
    "\n"
    "Shows and changes the choice of tests and thresholds that every diagnosis reads.\n"
    "\n"
    "  list    every setting with the value in force (stored, or the default)\n"
    "  get     one value\n"
    "  set     store one value: a switch or a zigzag option takes on or off (also true or\n"
    "          false, yes or no, -1 or 1 or 0) and is stored as -1 or 0; a number of points\n"
    "          takes a whole number the test can use; anything else is refused, with what\n"
    "          the setting takes\n"
    "  reset   remove both sections, so every setting takes its default again\n"
    "  path    the settings file in use, and whether it is there\n"
    "\n"
    "SECTION is CheckFor (one switch per test: -1 on, 0 off) or Significances (the numbers of\n"
    "points the tests need and the three zigzag options). Names are matched without regard\n"
    "to case. The settings file is FILE, else $OSTREVIN_SETTINGS, else\n"
    "$XDG_CONFIG_HOME/Ostrevin/settings.ini, else ~/.config/Ostrevin/settings.ini.\n";

constexpr OptionSpec kOptions[] = {kSettingsOption};

struct Invocation {
  std::span<const std::string> words;  // after the action
  SettingsStore& store;
  std::string path;
  CommandStreams io;
};

int Usage(std::string_view message, std::ostream& err) {
  return ReportUsageError(SettingsCommand(), message, err);
}

std::string ValueOf(SettingsStore& store, const SettingKey& key) {
  return store.GetSetting(DiagnosisSettings::kAppName, key.section, key.key, key.default_text);
}

int List(const Invocation& in) {
  if (!in.words.empty()) return Usage("list takes no arguments", in.io.err);
  std::string_view section;
  for (const SettingKey& key : AllSettingKeys()) {
    if (key.section != section) {
      in.io.out << (section.empty() ? "" : "\n") << '[' << key.section << "]\n";
      section = key.section;
    }
    in.io.out << key.key << '=' << ValueOf(in.store, key) << '\n';
  }
  return kExitSuccess;
}

const SettingKey* KeyOf(const Invocation& in, std::size_t words) {
  if (in.words.size() != words) return nullptr;
  return FindSettingKey(in.words[0], in.words[1]);
}

int Get(const Invocation& in) {
  if (in.words.size() != 2) return Usage("get takes SECTION KEY", in.io.err);
  const SettingKey* key = KeyOf(in, 2);
  if (key == nullptr) return Usage("unknown setting " + in.words[0] + " " + in.words[1], in.io.err);
  in.io.out << ValueOf(in.store, *key) << '\n';
  return kExitSuccess;
}

int Set(const Invocation& in) {
  if (in.words.size() != 3) return Usage("set takes SECTION KEY VALUE", in.io.err);
  const SettingKey* key = KeyOf(in, 3);
  if (key == nullptr) return Usage("unknown setting " + in.words[0] + " " + in.words[1], in.io.err);
  Result<std::string> value = SettingText(*key, in.words[2]);
  if (!value) return Usage(value.error().message(), in.io.err);
  if (!in.store.SaveSetting(DiagnosisSettings::kAppName, key->section, key->key, *value))
    return ReportFailure(Error::InvalidInput("cannot write the settings file " + in.path),
                         in.io.err);
  return kExitSuccess;
}

int Reset(const Invocation& in) {
  if (!in.words.empty()) return Usage("reset takes no arguments", in.io.err);
  DiagnosisSettings(in.store).ResetToDefaults();
  return kExitSuccess;
}

int Path(const Invocation& in) {
  if (!in.words.empty()) return Usage("path takes no arguments", in.io.err);
  if (in.path.empty()) {
    in.io.out << "(none: no settings file can be named here; the defaults apply)\n";
    return kExitSuccess;
  }
  const SettingsFileState state = StateOfSettingsFile(in.path);
  in.io.out << in.path
            << (state == SettingsFileState::kReadable  ? ""
                : state == SettingsFileState::kMissing ? " (not there yet: the defaults apply)"
                                                       : " (cannot be read: the defaults apply)")
            << '\n';
  return kExitSuccess;
}

int RunSettings(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return Usage(parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (parsed->positional.empty()) return Usage("missing list, get, set, reset or path", io.err);
  std::unique_ptr<SettingsStore> store = OpenSettingsStore(*parsed);
  const std::string& action = parsed->positional[0];
  Invocation in{std::span<const std::string>(parsed->positional).subspan(1), *store,
                SettingsPathFor(*parsed), io};
  if (action == "list") return List(in);
  if (action == "get") return Get(in);
  if (action == "set") return Set(in);
  if (action == "reset") return Reset(in);
  if (action == "path") return Path(in);
  return Usage("unknown action \"" + action + "\"", io.err);
}

}  // namespace

const SubCommand& SettingsCommand() {
  static constexpr SubCommand kSettings{
      "settings", "show or change the tests and thresholds a diagnosis uses", kHelp, RunSettings};
  return kSettings;
}

}  // namespace ostrevin
