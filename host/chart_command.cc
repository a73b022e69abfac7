#include <charconv>
#include <ostream>

#include "chart/chart_from_data.h"
#include "chartfile/file_io.h"
#include "host/args.h"
#include "host/sub_commands.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin chart KIND DATA.csv [-o CHART.json] [--split-at PLACE,...]\n"
    "                      [--baseline N] [--labels COLUMN] [--value COLUMN,...] [--title TEXT]\n"
    "\n"
    "Builds a complete chart file from the raw data in DATA.csv, with the values, limits and\n"
    "central lines a charting application would work out, ready for \"ostrevin diagnose\" and\n"
    "\"ostrevin show\". KIND is one of:\n"
    "  xmr      individual values with their moving ranges; one value column\n"
    "  xbar-r   subgroup means with ranges; one row per subgroup, 2 to 25 value columns\n"
    "  xbar-s   subgroup means with standard deviations; as xbar-r\n"
    "  p        proportions nonconforming; two columns: the number nonconforming, then the\n"
    "           number inspected (limits vary with it)\n"
    "  np       numbers nonconforming; as p, with the same number inspected in every row\n"
    "  c        defects per unit, one column: the number of defects found in one unit\n"
    "  u        defects per unit; two columns: the number of defects, then the number of\n"
    "           units they were found in (limits vary with it)\n"
    "The first row names the columns; the value columns are all the others but the labels\n"
    "column (xmr and c: the one column of numbers, p, np and u: the first two). Fields are\n"
    "separated by commas, by semicolons or by tabs, and with the last two a decimal comma may\n"
    "stand for the point; fields may be quoted, and blank rows are skipped. A blank cell is a\n"
    "place without a value on an xmr chart. DATA.csv \"-\" reads standard input.\n"
    "\n"
    "  -o CHART.json          write the chart file there (default: standard output)\n"
    "  --split-at PLACE,...   start a new split with limits of its own at each place number\n"
    "                         (the first place is 1; every split needs two places or more)\n"
    "  --baseline N           work the limits out from the first N places only; the places\n"
    "                         after them form an extras split plotted against the limits of\n"
    "                         the last split before it (--split-at splits the first N)\n"
    "  --labels COLUMN        label the places by the column COLUMN (default: the first column\n"
    "                         when it holds words, else 1, 2, 3 ...)\n"
    "  --value COLUMN,...     the value columns, in order (default: as above); xmr and c take\n"
    "                         one, and refuse a table with more columns of numbers without it\n"
    "  --title TEXT           the chart's title\n";

constexpr OptionSpec kOptions[] = {{"-o", true},
                                   {"--split-at", true},
                                   {"--baseline", true},
                                   {"--labels", true},
                                   {"--title", true}};

// "5,12,20" as place numbers; blanks around each are allowed.
Result<std::vector<std::int32_t>> PlaceNumbers(std::string_view list) {
  std::vector<std::int32_t> numbers;
  for (std::size_t begin = 0; begin <= list.size();) {
    const std::size_t comma = std::min(list.find(',', begin), list.size());
    const std::string_view item = TrimBlanks(list.substr(begin, comma - begin));
    std::int32_t number = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), number);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size())
      return Error::InvalidInput("--split-at: \"" + std::string(item) + "\" is not a place number");
    numbers.push_back(number);
    begin = comma + 1;
  }
  return numbers;
}

Result<ChartOptions> ChartOptionsOf(const ParsedArgs& parsed) {
  ChartOptions options;
  Result<ChartKind> kind = ParseChartKind(parsed.positional[0]);
  if (!kind) return kind.error();
  options.kind = *kind;
  if (parsed.Has("--split-at")) {
    Result<std::vector<std::int32_t>> splits = PlaceNumbers(parsed.options.at("--split-at"));
    if (!splits) return splits.error();
    options.split_place_numbers = std::move(splits).value();
  }
  if (parsed.Has("--baseline")) {
    const std::string& text = parsed.options.at("--baseline");
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), options.baseline);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        options.baseline < 2)
      return Error::InvalidInput("--baseline: \"" + text +
                                 "\" is not a number of places, 2 or more");
  }
  if (parsed.Has("--labels")) options.label_column = parsed.options.at("--labels");
  if (parsed.Has("--value")) options.value_columns = ColumnNames(parsed.options.at("--value"));
  if (parsed.Has("--title")) options.title = parsed.options.at("--title");
  return options;
}

int RunChart(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(ChartCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  const std::size_t given = parsed->positional.size();
  if (given != 2) {
    return ReportUsageError(ChartCommand(),
                            given == 0   ? "missing KIND and DATA.csv"
                            : given == 1 ? "missing DATA.csv"
                                         : "too many arguments",
                            io.err);
  }
  Result<ChartOptions> options = ChartOptionsOf(*parsed);
  if (!options) return ReportUsageError(ChartCommand(), options.error().message(), io.err);
  const std::string& data = parsed->positional[1];
  const std::string source = data == "-" ? "standard input" : data;
  Result<std::string> csv = ReadDataText(data, io.in);
  if (!csv) return ReportFailure(csv.error(), io.err);
  Result<ChartMembers> members = MakeChartMembers(*csv, *options);
  if (!members) return ReportFailure(members.error().WithContext(source), io.err);
  if (!parsed->Has("-o")) {
    Result<std::string> chart = ChartFileText(*members);
    if (!chart) return ReportFailure(chart.error().WithContext(source), io.err);
    io.out << *chart;
    return kExitSuccess;
  }
  // The text goes to the file as it is made. A value it cannot hold is the data's fault, a
  // failed write the file's.
  Status written = ReplaceFileAtomically(parsed->options.at("-o"), [&](const TextSink& sink) {
    bool write_failed = false;
    Status made = WriteChartFileText(*members, [&](std::string_view stretch) {
      Status taken = sink(stretch);
      write_failed = !taken;
      return taken;
    });
    return made || write_failed ? made : Status(made.error().WithContext(source));
  });
  if (!written) return ReportFailure(written.error(), io.err);
  return kExitSuccess;
}

}  // namespace

const SubCommand& ChartCommand() {
  static constexpr SubCommand kChart{"chart", "build a chart file from raw data in a CSV file",
                                     kHelp, RunChart};
  return kChart;
}

}  // namespace ostrevin
