#include <ostream>

#include "addon/cls_data.h"
#include "engine/report.h"
#include "host/args.h"
#include "host/chart_file.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"
#include "platform/console_platform.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin diagnose CHART.json [--from-start] [--settings FILE] [--date-time TEXT]\n"
    "                         [--crlf] [--save]\n"
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
    "                     on where this one finished; only after a successful diagnosis\n";

constexpr OptionSpec kOptions[] = {
    {"--from-start"}, kSettingsOption, {"--date-time", true}, {"--crlf"}, {"--save"}};

std::string WithLineFeeds(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
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
  std::optional<std::string> now;
  if (parsed->Has("--date-time")) now = parsed->options.at("--date-time");
  ConsolePlatform platform(io.err, now);
  Result<clsData> data = ReadChartFile(path, platform);
  if (!data) return ReportFailure(data.error(), io.err);
  std::unique_ptr<SettingsStore> store = OpenSettingsStore(*parsed);
  DiagnosisSettings settings(*store);

  // The console stands in for the report window: one report, composed when the window loads.
  std::string report;
  const bool from_start = parsed->Has("--from-start");
  data.value().SetReportWindow([&](clsData& shown) {
    if (from_start) shown.SetNextHAxLToDiagnose(0);
    report = ComposeDiagnosis(shown, settings, platform);
  });
  try {
    data.value().Show();
  } catch (const Error& error) {
    return ReportFailure(error.WithContext(path), io.err);
  }
  io.out << (parsed->Has("--crlf") ? report + "\r\n" : WithLineFeeds(report) + "\n");
  if (parsed->Has("--save")) {
    Status saved = WriteChartFileAtomically(path, *data);
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
