#include "chart/chart_from_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "chart/chart_layout.h"
#include "chart/chart_members.h"
#include "chart/control_constants.h"
#include "chart/control_limits.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

// Every index of a chart is 16-bit, and the host sizes its plotted values to one past the last
// value, so a chart holds at most this many values.
constexpr std::int32_t kMaxValues = std::numeric_limits<std::int16_t>::max();
constexpr std::size_t kMaxSplits = 100;

constexpr std::string_view kKindNames[] = {"xmr", "xbar-r", "xbar-s", "p", "c", "u", "np"};

struct Columns {
  std::optional<std::size_t> label;
  std::vector<std::size_t> values;
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

Result<std::size_t> FindColumn(const CsvTable& table, std::string_view name) {
  if (std::optional<std::size_t> column = table.Column(name)) return *column;
  return Error::InvalidInput("no column " + Quoted(name) + " in the header");
}

// How many value columns a kind takes, from..to.
std::pair<std::size_t, std::size_t> ColumnCount(ChartKind kind) {
  switch (kind) {
    case ChartKind::kIndividuals:
    case ChartKind::kDefects:
      return {1, 1};
    case ChartKind::kMeansRanges:
    case ChartKind::kMeansSDs:
      return {kMinSubgroupSize, kMaxSubgroupSize};
    default:
      return {2, 2};
  }
}

// A number with '.' as decimal mark, or ',' where ';' or a tab separates the fields; blanks around
// it and a leading '+' are allowed. Anything that is not a finite number within a Single's range
// fails.
// A plain decimal ("-12.375", "502") of at most 15 digits, by one division: both operands are
// exact doubles, so the quotient is the correctly rounded value, as from_chars gives it. Nullopt
// for any other text.
std::optional<double> ShortDecimal(std::string_view text) {
  static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = text.starts_with('-');
  std::size_t k = negative ? 1 : 0;
  std::uint64_t digits = 0;
  int whole = 0, decimals = 0;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k, ++whole)
    digits = digits * 10 + static_cast<unsigned>(text[k] - '0');
  if (k < text.size() && text[k] == '.') {
    for (++k; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k, ++decimals)
      digits = digits * 10 + static_cast<unsigned>(text[k] - '0');
    if (decimals == 0) return std::nullopt;
  }
  if (k != text.size() || whole == 0 || whole + decimals > 15) return std::nullopt;
  const double value = static_cast<double>(digits) / kTens[decimals];
  return negative ? -value : value;
}

std::optional<double> ParseNumber(std::string_view field, char separator) {
  std::string_view text = TrimBlanks(field);
  if (text.starts_with('+') && text.size() > 1 && text[1] != '-') text.remove_prefix(1);
  std::string
      with_points;  // a decimal comma made a point, where the fields are not comma-separated
  if (separator != ',' && text.find(',') != std::string_view::npos) {
    with_points = text;
    std::replace(with_points.begin(), with_points.end(), ',', '.');
    text = with_points;
  }
  if (std::optional<double> quick = ShortDecimal(text)) return quick;  // below FLT_MAX
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  if (std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return value;
}

// Whether the column holds a cell that is not blank and not a number.
bool HoldsText(const CsvTable& table, std::size_t column) {
  for (std::size_t k = 0; k < table.size(); ++k) {
    const std::string_view cell = TrimBlanks(table.Record(k).fields[column]);
    if (!cell.empty() && !ParseNumber(cell, table.separator)) return true;
  }
  return false;
}

std::string QuotedNames(const CsvTable& table, const std::vector<std::size_t>& columns) {
  std::string names;
  for (std::size_t c : columns)
    names += (names.empty() ? "" : ", ") + Quoted(TrimBlanks(table.header[c]));
  return names;
}

Result<Columns> ResolveColumns(const CsvTable& table, const ChartOptions& options) {
  Columns columns;
  if (!options.label_column.empty()) {
    Result<std::size_t> label = FindColumn(table, options.label_column);
    if (!label) return label.error();
    columns.label = *label;
  } else if (table.header.size() > 1 && HoldsText(table, 0)) {
    columns.label = 0;  // dates, lot names: the labels, as a spreadsheet user means them
  }
  for (const std::string& name : options.value_columns) {
    Result<std::size_t> column = FindColumn(table, name);
    if (!column) return column.error();
    columns.values.push_back(*column);
  }
  const auto [from, to] = ColumnCount(options.kind);
  if (options.value_columns.empty()) {
    // A kind of one value column takes the only one there is; p and the like the first two;
    // subgroups take them all, so that a stray column shows up as a wrong subgroup size rather
    // than silently.
    const bool all = from != to;
    for (std::size_t c = 0; c < table.header.size(); ++c) {
      if (c != columns.label && (all || columns.values.size() < to)) columns.values.push_back(c);
    }
    if (to == 1) {
      // The one column of numbers; a column of words beside it is left alone.
      std::vector<std::size_t> numbers;
      const std::size_t candidates = table.header.size() - (columns.label ? 1 : 0);
      for (std::size_t c = 0; c < table.header.size() && candidates > 1; ++c) {
        if (c != columns.label && !HoldsText(table, c)) numbers.push_back(c);
      }
      if (numbers.size() > 1)
        return Error::InvalidInput(
            "the columns " + QuotedNames(table, numbers) + " could each hold the values; " +
            "a chart of kind " + std::string(ChartKindName(options.kind)) +
            " takes one: name it with --value COLUMN (and the labels with --labels COLUMN)");
      if (numbers.size() == 1) columns.values = numbers;
    }
  }
  const std::size_t n = columns.values.size();
  if (n >= from && n <= to) return columns;
  const std::string need =
      from == to ? std::to_string(from) : std::to_string(from) + " to " + std::to_string(to);
  return Error::InvalidInput("a chart of kind " + std::string(ChartKindName(options.kind)) +
                             " needs " + need + (to == 1 ? " value column" : " value columns") +
                             ", not " + std::to_string(n));
}

// The numbers of a row, into `numbers`; a blank cell is NaN, a place without a value, where the
// kind takes one.
Status ParseRow(const CsvTable& table, const CsvRow& row, const Columns& columns,
                const ChartOptions& options, std::vector<double>& numbers) {
  numbers.clear();
  for (std::size_t c : columns.values) {
    auto where = [&] {
      return "row " + std::to_string(row.row) + ", column " + Quoted(TrimBlanks(table.header[c])) +
             ": ";
    };
    if (TrimBlanks(row.fields[c]).empty()) {
      if (!TakesBlanks(options.kind))
        return Error::InvalidInput(where() + "a blank cell; a chart of kind " +
                                   std::string(ChartKindName(options.kind)) +
                                   " needs a value in every row (only xmr charts have places "
                                   "without a value)");
      numbers.push_back(std::numeric_limits<double>::quiet_NaN());
      continue;
    }
    std::optional<double> number = ParseNumber(row.fields[c], table.separator);
    if (!number)
      return Error::InvalidInput(where() + Quoted(row.fields[c]) + " is not a number" +
                                 (options.label_column.empty() && table.header.size() > 1
                                      ? " (--labels COLUMN names the column that labels the places)"
                                      : ""));
    numbers.push_back(*number);
  }
  return Ok{};
}

Result<std::vector<SplitRange>> MakeSplits(const std::vector<std::int32_t>& numbers,
                                           std::int32_t count) {
  if (numbers.size() + 1 > kMaxSplits)
    return Error::InvalidInput("at most " + std::to_string(kMaxSplits) + " splits fit a chart");
  std::vector<std::int32_t> bounds{0};
  for (std::int32_t number : numbers) {
    if (number < 2 || number > count || number - 1 <= bounds.back())
      return Error::InvalidInput("split at place number " + std::to_string(number) +
                                 ": splits start at increasing place numbers from 2 to " +
                                 std::to_string(count));
    bounds.push_back(number - 1);
  }
  bounds.push_back(count);
  std::vector<SplitRange> splits;
  for (std::size_t s = 0; s + 1 < bounds.size(); ++s)
    splits.push_back({bounds[s], bounds[s + 1] - 1});
  for (std::size_t s = 0; s < splits.size(); ++s) {
    if (splits[s].last > splits[s].first) continue;
    return Error::InvalidInput("split " + std::to_string(s + 1) + " holds place number " +
                               std::to_string(splits[s].first + 1) +
                               " alone; every split needs two places or more");
  }
  return splits;
}

// Counts of an attribute chart: whole numbers of 0 or more; p and np: at least one inspected (a
// whole number), no more nonconforming than that, np: one sample size throughout; u: units more
// than 0.
Status CheckCounts(const CsvTable& table, const CsvRow& row, const Columns& columns,
                   std::span<const double> numbers, const ChartOptions& options) {
  const auto where = [&](std::size_t i) {
    return "row " + std::to_string(row.row) + ", column " +
           Quoted(TrimBlanks(table.header[columns.values[i]])) + ": ";
  };
  const double d = numbers[0];
  if (options.kind == ChartKind::kDefects || options.kind == ChartKind::kDefectsPerUnit) {
    if (d < 0 || d != std::floor(d))
      return Error::InvalidInput(where(0) +
                                 "the number of defects must be a whole number, 0 or more");
    if (options.kind == ChartKind::kDefectsPerUnit && !(numbers[1] > 0))
      return Error::InvalidInput(where(1) + "the number of units must be more than 0");
    return Ok{};
  }
  const double n = numbers[1];
  if (n < 1 || n != std::floor(n))
    return Error::InvalidInput(where(1) + "the number inspected must be a whole number, 1 or more");
  if (d < 0 || d > n || d != std::floor(d))
    return Error::InvalidInput(where(0) +
                               "the number nonconforming must be a whole number from 0 "
                               "to the number inspected");
  if (options.kind == ChartKind::kNonconforming && options.sample_size != 0 &&
      n != options.sample_size)
    return Error::InvalidInput(where(1) + "an np chart inspects " +
                               std::to_string(options.sample_size) +
                               " in every row; a p chart takes sample sizes that vary");
  return Ok{};
}

// Every place a label; values at most kMaxValues; two rows or more; the splits of the options,
// and the extras split after the baseline.
Result<ChartInput> ReadData(const CsvTable& table, const ChartOptions& options) {
  Result<ChartInput> read = ReadChartRows(table, options);
  if (!read) return read.error();
  ChartInput data = std::move(read).value();
  const auto count = static_cast<std::int32_t>(data.rows.size());
  const std::int64_t values =
      std::int64_t{count} * (IsAttributeKind(options.kind) ? 1 : std::ssize(data.value_names));
  if (values > kMaxValues)
    return Error::InvalidInput("too many values: a chart holds at most " +
                               std::to_string(kMaxValues) + ", the table has " +
                               std::to_string(values));
  if (count < 2)
    return Error::InvalidInput("a chart needs two or more data rows; the table has " +
                               std::to_string(count));
  std::int32_t limited = count;
  if (options.baseline != 0) {
    if (options.baseline < 2 || options.baseline > count)
      return Error::InvalidInput("--baseline " + std::to_string(options.baseline) +
                                 ": the baseline takes 2 to " + std::to_string(count) + " places");
    limited = options.baseline;
    if (limited < count) data.extras = SplitRange{limited, count - 1};
  }
  Result<std::vector<SplitRange>> splits = MakeSplits(options.split_place_numbers, limited);
  if (!splits) return splits.error();
  if (data.extras && splits->size() == kMaxSplits)
    return Error::InvalidInput("at most " + std::to_string(kMaxSplits) + " splits fit a chart");
  data.splits = std::move(splits).value();
  return data;
}

}  // namespace

Result<ChartInput> ReadChartRows(const CsvTable& table, const ChartOptions& options,
                                 std::int32_t first_number) {
  Result<Columns> columns = ResolveColumns(table, options);
  if (!columns) return columns.error();
  ChartInput data{options.kind, options.title, {}, {}, {}, {}, {}};
  for (std::size_t c : columns->values) data.value_names.emplace_back(TrimBlanks(table.header[c]));
  ChartOptions checks = options;
  data.rows = NumberRows(columns->values.size());
  data.rows.reserve(table.size());
  data.labels.reserve(table.size());
  std::vector<double> numbers;  // of the row read, used again for every row
  for (std::size_t k = 0; k < table.size(); ++k) {
    const CsvRow row = table.Record(k);
    if (Status parsed = ParseRow(table, row, *columns, options, numbers); !parsed)
      return parsed.error();
    if (IsAttributeKind(options.kind)) {
      if (Status counts = CheckCounts(table, row, *columns, numbers, checks); !counts)
        return counts.error();
      // An np chart's first row sets the sample size of the rest.
      if (checks.sample_size == 0 && options.kind == ChartKind::kNonconforming)
        checks.sample_size = static_cast<std::int32_t>(numbers[1]);
    }
    data.labels.push_back(columns->label ? std::string(TrimBlanks(row.fields[*columns->label]))
                                         : std::to_string(first_number + std::ssize(data.rows)));
    data.rows.push_back(numbers);
  }
  return data;
}

Result<ChartKind> ParseChartKind(std::string_view name) {
  for (std::size_t k = 0; k < std::size(kKindNames); ++k) {
    if (name == kKindNames[k]) return static_cast<ChartKind>(k);
  }
  return Error::InvalidInput("unknown chart kind " + Quoted(name) +
                             ": use xmr, xbar-r, xbar-s, p, np, c or u");
}

std::vector<std::string> ColumnNames(std::string_view list) {
  std::vector<std::string> names;
  for (std::size_t begin = 0; begin <= list.size();) {
    const std::size_t comma = std::min(list.find(',', begin), list.size());
    names.emplace_back(TrimBlanks(list.substr(begin, comma - begin)));
    begin = comma + 1;
  }
  return names;
}

bool TakesBlanks(ChartKind kind) {
  return kind == ChartKind::kIndividuals;
}

bool IsAttributeKind(ChartKind kind) {
  return kind >= ChartKind::kProportions;
}

std::string_view ChartKindName(ChartKind kind) {
  return kKindNames[static_cast<std::size_t>(kind)];
}

Result<ChartMembers> BuildChart(const CsvTable& table, const ChartOptions& options) {
  Result<ChartInput> data = ReadData(table, options);
  if (!data) return data.error();
  return LayOutChart(std::move(data).value());
}

Result<ChartMembers> MakeChartMembers(std::string_view csv_text, const ChartOptions& options) {
  Result<CsvTable> table = ReadCsv(csv_text);
  if (!table) return table.error();
  return BuildChart(*table, options);
}

}  // namespace ostrevin
