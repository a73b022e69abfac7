#include <ostream>

#include "host/args.h"
#include "host/chart_file.h"
#include "host/sub_commands.h"
#include "platform/console_platform.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin dump CHART.json\n"
    "\n"
    "Reads the chart file CHART.json into a chart container, as the host hands a chart over,\n"
    "and writes the container back to standard output as a chart file: members in the\n"
    "container's spelling and order, members still at their initial value left out. Shows\n"
    "what the add-on receives from a file.\n";

int RunDump(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, {});
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
  ConsolePlatform platform(io.err);
  Result<clsData> data = ReadChartFile(parsed->positional[0], platform);
  if (!data) return ReportFailure(data.error(), io.err);
  Result<std::string> text = ChartFileText(*data);
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
