#include <ostream>

#include "chart/chart_append.h"
#include "chart/chart_members.h"
#include "chartfile/chart_file.h"
#include "chartfile/file_io.h"
#include "host/args.h"
#include "host/console_diagnosis.h"
#include "host/library_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin add CHART.json DATA.csv [-o OUT.json] [--labels COLUMN] [--value COLUMN]\n"
    "                    [--library PATH]\n"
    "\n"
    "Appends the rows of DATA.csv to the chart as new places, plotted against the fixed control\n"
    "lines of its last split: the first rows added after a split with limits of its own start an\n"
    "extras split (\"Extra Values (control limits fixed)\" in the report), later ones extend it.\n"
    "The place the next diagnosis starts at stays where it is, so \"ostrevin diagnose --save\"\n"
    "next reports the new points. DATA.csv follows the rules of \"ostrevin chart\" and has the\n"
    "columns the chart's kind needs: one value (xmr), the subgroup's values (xbar-r, xbar-s),\n"
    "the number nonconforming and the number inspected (p). Charts of the kinds \"ostrevin\n"
    "chart\" builds take new rows (CType -1, -3, -4). When a row cannot be used nothing is\n"
    "written.\n"
    "\n"
    "  -o OUT.json        write the longer chart there (default: replace CHART.json, atomically)\n"
    "  --labels COLUMN    label the new places by the column COLUMN (default: the first column\n"
    "                     when it holds words, else numbered on)\n"
    "  --value COLUMN,... the value columns, when the table holds others (default: as for\n"
    "                     \"ostrevin chart\")\n"
    "DATA.csv \"-\" reads the rows from standard input.\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {
    {"-o", true}, {"--labels", true}, {"--value", true}, kLibraryOption};

int RunAdd(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(AddCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  const std::size_t given = parsed->positional.size();
  if (given != 2) {
    return ReportUsageError(AddCommand(),
                            given == 0   ? "missing CHART.json and DATA.csv"
                            : given == 1 ? "missing DATA.csv"
                                         : "too many arguments",
                            io.err);
  }
  const std::string& path = parsed->positional[0];
  const std::string& data = parsed->positional[1];
  Result<std::string> csv = ReadDataText(data, io.in);
  if (!csv) return ReportFailure(csv.error(), io.err);
  Result<CsvTable> table = ReadCsv(*csv);
  if (!table) return ReportFailure(table.error().WithContext(data), io.err);
  Result<ChartObject> chart = ReadChartOnConsole(path, *parsed, io.err);
  if (!chart) return ReportFailure(chart.error(), io.err);
  ChartOptions columns;
  if (parsed->Has("--labels")) columns.label_column = parsed->options.at("--labels");
  if (parsed->Has("--value")) columns.value_columns = ColumnNames(parsed->options.at("--value"));
  Result<ChartMembers> members =
      AppendRows(*chart, path, *table, data == "-" ? "standard input" : data, columns);
  if (!members) return ReportFailure(members.error(), io.err);
  // The changed members go in as a chart file's would, so the container checks them the same.
  Result<std::string> text = ChartFileText(*members);
  if (!text) return ReportFailure(text.error().WithContext(path), io.err);
  if (Status put = ApplyChartText(*text, path, chart.value()); !put)
    return ReportFailure(put.error(), io.err);
  const std::string out = parsed->Has("-o") ? parsed->options.at("-o") : path;
  if (Status written = WriteChartFileAtomically(out, *chart); !written)
    return ReportFailure(written.error(), io.err);
  return kExitSuccess;
}

}  // namespace

const SubCommand& AddCommand() {
  static constexpr SubCommand kAdd{"add", "append new measurements to a chart file", kHelp, RunAdd};
  return kAdd;
}

}  // namespace ostrevin
