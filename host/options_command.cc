#include <ostream>

#include "abi/abi_values.h"
#include "client/dispatch_object.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin options [--settings FILE] [--library PATH]\n"
    "\n"
    "Opens the options dialog of the add-on, which chooses the tests and their numbers of\n"
    "significant points, and saves the choice when it is closed with OK.\n"
    "\n"
    "  --settings FILE    the settings file to change (default: the user's)\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {kSettingsOption, kLibraryOption};

int RunOptions(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(OptionsCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (!parsed->positional.empty())
    return ReportUsageError(OptionsCommand(), "too many arguments", io.err);
  Result<ComPtr<IOstDiagnosisOptions>> options =
      CreateComponent<IOstDiagnosisOptions>(*parsed, kProgIdClsData, kClsidClsData);
  if (!options) return ReportFailure(options.error(), io.err);
  const ComPtr<IOstDiagnosisOptions>& dialog = *options;
  OstStatus status = dialog->SetSettingsFile(SettingsPathFor(*parsed).c_str());
  OwnedOstErrorInfo error;
  if (OstSucceeded(status)) status = dialog->ShowOptionsDialog(nullptr, error.get());
  if (!OstSucceeded(status)) return ReportFailure(CallError(status, *error.get()), io.err);
  return kExitSuccess;
}

}  // namespace

const SubCommand& OptionsCommand() {
  static constexpr SubCommand kOptionsCommand{
      "options", "open the options dialog that chooses the tests", kHelp, RunOptions};
  return kOptionsCommand;
}

}  // namespace ostrevin
