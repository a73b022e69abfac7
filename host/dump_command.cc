#include <ostream>

#include "chartfile/chart_file.h"
#include "host/args.h"
#include "host/console_diagnosis.h"
#include "host/library_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin dump CHART.json [--library PATH]\n"
    "\n"
    "Reads the chart file CHART.json into a chart container, as the host hands a chart over,\n"
    "and writes the container back to standard output as a chart file: members in the\n"
    "container's spelling and order, members still at their initial value left out. Shows\n"
    "what the add-on receives from a file.\n"
    "\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {kLibraryOption};

int RunDump(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(DumpCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (parsed->positional.size() != 1) {
    return ReportUsageError(
        DumpCommand(), parsed->positional.empty() ? "missing CHART.json" : "too many arguments",
        io.err);
  }
  Result<ChartObject> chart = ReadChartOnConsole(parsed->positional[0], *parsed, io.err);
  if (!chart) return ReportFailure(chart.error(), io.err);
  Result<std::string> text = ChartFileText(*chart);
  if (!text) return ReportFailure(text.error(), io.err);
  io.out << *text;
  return kExitSuccess;
}

}  // namespace

const SubCommand& DumpCommand() {
  static constexpr SubCommand kDump{
      "dump", "read a chart file and write it back to standard output", kHelp, RunDump};
  return kDump;
}

}  // namespace ostrevin
