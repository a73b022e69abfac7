#include <ostream>

#include "chartfile/chart_file.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin show CHART.json [--save] [--settings FILE] [--library PATH]\n"
    "\n"
    "Opens the report window over the chart, as the host does when the user chooses the\n"
    "add-on, and returns when the window is closed. The window diagnoses the chart from\n"
    "NextHAxLToDiagnose and lets you change the options, diagnose from the start and copy the\n"
    "report.\n"
    "\n"
    "  --save             write the chart back into CHART.json when the window has closed\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's)\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {{"--save"}, kSettingsOption, kLibraryOption};

int RunShow(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(ShowCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (parsed->positional.size() != 1) {
    return ReportUsageError(
        ShowCommand(), parsed->positional.empty() ? "missing CHART.json" : "too many arguments",
        io.err);
  }
  const std::string& path = parsed->positional[0];
  WarnAboutSettingsFile(*parsed, io.err);
  Result<ChartObject> chart = NewChartObject(*parsed);
  if (!chart) return ReportFailure(chart.error(), io.err);
  // A host that knows nothing of the console: Show opens the window. Only the settings file is
  // the command's choice.
  if (auto options = chart->dispatch().object().As<IOstDiagnosisOptions>())
    options->SetSettingsFile(SettingsPathFor(*parsed).c_str());
  if (Status read = ReadChartFile(path, chart.value()); !read)
    return ReportFailure(read.error(), io.err);
  if (Status shown = chart->dispatch().CallByName("Show"); !shown)
    return ReportFailure(shown.error().WithContext(path), io.err);
  if (parsed->Has("--save")) {
    Status saved = WriteChartFileAtomically(path, *chart);
    if (!saved) return ReportFailure(saved.error(), io.err);
  }
  return kExitSuccess;
}

}  // namespace

const SubCommand& ShowCommand() {
  static constexpr SubCommand kShow{"show", "open the report window over a chart", kHelp, RunShow};
  return kShow;
}

}  // namespace ostrevin
