#include <ostream>
#include <string>

#include "chartfile/chart_file.h"
#include "host/args.h"
#include "host/console_diagnosis.h"
#include "host/findings_table.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin diagnose CHART.json [--format text|json|csv] [--from-start] "
    "[--settings FILE]\n"
    "                         [--date-time TEXT] [--crlf] [--save] [--fail-on-signal]\n"
    "                         [--library PATH]\n"
    "\n"
    "Diagnoses the chart as the host does when it shows the add-on, and prints the Diagnostics\n"
    "report to standard output. The diagnosis carries on from NextHAxLToDiagnose, the place\n"
    "where the last one finished, and moves it on.\n"
    "\n"
    "  --format json      print the report's content as one JSON document instead of the text\n"
    "                     (the format is described in docs/findings-json.md)\n"
    "  --format csv       print one row per finding under a header row: graph, split, test,\n"
    "                     first_place, first_label, last_place, last_label, count, side\n"
    "  --from-start       diagnose from the first place, as the window's \"Diagnose From Start\"\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's,\n"
    "                     $OSTREVIN_SETTINGS or ~/.config/Ostrevin/settings.ini)\n"
    "  --date-time TEXT   show TEXT as the date and time of the report\n"
    "  --crlf             keep the report's CR LF line breaks (default: LF); text only\n"
    "  --save             write the chart back into CHART.json, so the next diagnosis carries\n"
    "                     on where this one finished; only after a successful diagnosis\n"
    "  --fail-on-signal   exit with status 3 when the report holds a finding (0 when it holds\n"
    "                     none; 1 stays an error, 2 a usage error); --save still saves\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kFormatOption{"--format", true};
constexpr OptionSpec kOptions[] = {kFormatOption,        kFromStartOption, kSettingsOption,
                                   kDateTimeOption,      {"--crlf"},       {"--save"},
                                   {"--fail-on-signal"}, kLibraryOption};

enum class Format { kText, kJson, kCsv };

// Writes the report with each CR LF as the lone line feed of a text file here.
void WriteWithLineFeeds(std::ostream& out, std::string_view text) {
  // Made whole and written once: a stream call for every line of a long report costs more than
  // the copy.
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t from = 0;;) {
    const std::size_t at = text.find("\r\n", from);
    if (at == std::string_view::npos) {
      lines.append(text.substr(from));
      break;
    }
    lines.append(text.substr(from, at - from));
    lines += '\n';
    from = at + 2;
  }
  out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
}

// The format asked for; fails with a usage message for an unknown format or an option that only
// the text has.
Result<Format> FormatWanted(const ParsedArgs& parsed) {
  const auto format = parsed.options.find(kFormatOption.name);
  if (format == parsed.options.end() || format->second == "text") return Format::kText;
  if (format->second != "json" && format->second != "csv")
    return Error::InvalidInput("unknown format \"" + format->second + "\" (text, json or csv)");
  if (parsed.Has("--crlf")) return Error::InvalidInput("--crlf applies to the text report only");
  return format->second == "json" ? Format::kJson : Format::kCsv;
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
  Result<Format> format = FormatWanted(*parsed);
  if (!format) return ReportUsageError(DiagnoseCommand(), format.error().message(), io.err);
  const bool alert = parsed->Has("--fail-on-signal");
  const std::string& path = parsed->positional[0];
  Result<ConsoleDiagnosis> done =
      DiagnoseOnConsole(path, *parsed, *format != Format::kText || alert, io.err);
  if (!done) return ReportFailure(done.error(), io.err);
  Result<std::vector<FindingRow>> rows = std::vector<FindingRow>{};
  if (*format == Format::kCsv || alert) rows = ReadFindingRows(done->findings_json);
  if (!rows) return ReportFailure(rows.error(), io.err);
  if (*format == Format::kJson) {
    io.out << done->findings_json << '\n';
  } else if (*format == Format::kCsv) {
    io.out << FindingsCsv(*rows);
  } else {
    if (parsed->Has("--crlf")) {
      io.out << done->report << "\r\n";
    } else {
      WriteWithLineFeeds(io.out, done->report);
      io.out << '\n';
    }
  }
  if (parsed->Has("--save")) {
    Status saved = WriteChartFileAtomically(path, done->chart);
    if (!saved) return ReportFailure(saved.error(), io.err);
  }
  return alert && !rows->empty() ? kExitSignal : kExitSuccess;
}

}  // namespace

const SubCommand& DiagnoseCommand() {
  static constexpr SubCommand kDiagnose{
      "diagnose", "diagnose a chart and print the Diagnostics report", kHelp, RunDiagnose};
  return kDiagnose;
}

}  // namespace ostrevin
