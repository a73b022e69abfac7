#include <ostream>

#include "addon/abi/abi_values.h"
#include "host/args.h"
#include "host/chart_file.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin diagnose CHART.json [--from-start] [--settings FILE] [--date-time TEXT]\n"
    "                         [--crlf] [--save] [--library PATH]\n"
    "\n"
    "Diagnoses the chart as the host does when it shows the add-on, and prints the Diagnostics\n"
    "report to standard output. The diagnosis carries on from NextHAxLToDiagnose, the place\n"
    "where the last one finished, and moves it on.\n"
    "\n"
    "  --from-start       diagnose from the first place, as the window's \"Diagnose From Start\"\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's,\n"
    "                     $OSTREVIN_SETTINGS or ~/.config/Ostrevin/settings.ini)\n"
    "  --date-time TEXT   show TEXT as the date and time of the report\n"
    "  --crlf             keep the report's CR LF line breaks (default: LF)\n"
    "  --save             write the chart back into CHART.json, so the next diagnosis carries\n"
    "                     on where this one finished; only after a successful diagnosis\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {{"--from-start"}, kSettingsOption, {"--date-time", true},
                                   {"--crlf"},       {"--save"},      kLibraryOption};

std::string WithLineFeeds(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

// Asks the container for its console in place of the report window (IOstReportConsole), with
// the settings file the command was given.
Result<ComPtr<IOstReportConsole>> ChooseConsole(const ChartObject& chart,
                                                const ParsedArgs& parsed) {
  auto console = chart.dispatch().object().As<IOstReportConsole>();
  auto options = chart.dispatch().object().As<IOstDiagnosisOptions>();
  if (!console || !options) return Error::InvalidInput("the library offers no console report");
  std::optional<std::string> now;
  if (parsed.Has("--date-time")) now = parsed.options.at("--date-time");
  OstStatus status = console->UseConsole(now ? now->c_str() : nullptr,
                                         parsed.Has("--from-start") ? kOstBoolTrue : kOstBoolFalse);
  if (OstSucceeded(status)) status = options->SetSettingsFile(SettingsPathFor(parsed).c_str());
  if (!OstSucceeded(status))
    return Error::InvalidInput("the library failed: " + StatusText(status));
  return console;
}

// Shows the chart: the console composes one report, as the window does when it loads. The
// message boxes shown meanwhile go to `err`.
Result<std::string> ShowOnConsole(ChartObject& chart, IOstReportConsole& console,
                                  std::ostream& err) {
  Status shown = chart.dispatch().CallByName("Show");
  OwnedOstString messages, report;
  if (OstSucceeded(console.TakeMessages(messages.get()))) err << messages.str();
  if (!shown) return shown.error();
  if (!OstSucceeded(console.GetReport(report.get())))
    return Error::InvalidInput("the library gave no report");
  return report.str();
}

int RunDiagnose(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(DiagnoseCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (parsed->positional.size() != 1) {
    return ReportUsageError(
        DiagnoseCommand(), parsed->positional.empty() ? "missing CHART.json" : "too many arguments",
        io.err);
  }
  const std::string& path = parsed->positional[0];
  Result<ChartObject> chart = NewChartObject(*parsed);
  if (!chart) return ReportFailure(chart.error(), io.err);
  Result<ComPtr<IOstReportConsole>> console = ChooseConsole(*chart, *parsed);
  if (!console) return ReportFailure(console.error(), io.err);
  if (Status read = ReadChartFile(path, chart.value()); !read)
    return ReportFailure(read.error(), io.err);

  Result<std::string> report = ShowOnConsole(chart.value(), *console->get(), io.err);
  if (!report) return ReportFailure(report.error().WithContext(path), io.err);
  io.out << (parsed->Has("--crlf") ? *report + "\r\n" : WithLineFeeds(*report) + "\n");
  if (parsed->Has("--save")) {
    Status saved = WriteChartFileAtomically(path, *chart);
    if (!saved) return ReportFailure(saved.error(), io.err);
  }
  return kExitSuccess;
}

}  // namespace

const SubCommand& DiagnoseCommand() {
  static constexpr SubCommand kDiagnose{
      "diagnose", "diagnose a chart and print the Diagnostics report", kHelp, RunDiagnose};
  return kDiagnose;
}

}  // namespace ostrevin
