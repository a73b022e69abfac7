#ifndef OSTREVIN_CHART_CHART_FROM_DATA_H_
#define OSTREVIN_CHART_CHART_FROM_DATA_H_

// Complete charts from raw data in a CSV table, with the limits a control-chart application
// would work out, as the members a chart file holds.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_members.h"
#include "chart/csv_reader.h"
#include "values/error.h"

namespace ostrevin {

enum class ChartKind : std::uint8_t {
  kIndividuals,  // "xmr": individual values with moving ranges (CType -1)
  kMeansRanges,  // "xbar-r": subgroup means with ranges (CType -3)
  kMeansSDs,     // "xbar-s": subgroup means with standard deviations (CType -3, SubGpSd)
  kProportions,  // "p": proportions nonconforming, limits varying with n (CType -4; the flag
                 // blnWavypuChart set when n varies within a split)
  // The counts charts have CType -5, whose limits the engine treats as those of p (varying
  // where blnWavypuChart says so) with the central line in Mx; VAxis(0) tells them apart.
  kDefects,         // "c": defects per unit, one opportunity
  kDefectsPerUnit,  // "u": defects per unit with the units of each row; limits vary with them
  kNonconforming,   // "np": number nonconforming with one sample size (SubGroupSampeSize)
};

// The attribute charts: one graph of counts with limits from their own statistics.
bool IsAttributeKind(ChartKind kind);
// Whether a blank cell is a place without a value (XDataI 0), which breaks runs, rather than an
// error: on xmr charts.
bool TakesBlanks(ChartKind kind);

// "xmr", "xbar-r", "xbar-s", "p", "c", "u" or "np"; anything else fails, naming them.
Result<ChartKind> ParseChartKind(std::string_view name);
std::string_view ChartKindName(ChartKind kind);

struct ChartOptions {
  ChartKind kind = ChartKind::kIndividuals;
  // Header names of the data columns. xmr: the value; xbar-r and xbar-s: the 2 to 25 values of a
  // subgroup (one row per subgroup); p and np: the number nonconforming, then the number
  // inspected; c: the number of defects; u: the number of defects, then the number of units.
  // Empty: the columns other than the label column, in order (xmr and c the first, p, np and u
  // the first two).
  std::vector<std::string> value_columns;
  // Header name of the column that labels each place; empty: places are labelled 1, 2, 3 ...
  std::string label_column;
  // Place numbers (as the report gives them, the first place is 1) at which a new split with
  // limits of its own starts, increasing; every split needs two places or more.
  std::vector<std::int32_t> split_place_numbers;
  // How many places, from the first, set the limits; the places after them form an extras split
  // plotted against the lines of the last split before it. 0: every place sets limits.
  std::int32_t baseline = 0;
  std::string title;  // Title(0); empty: none
  // np: the sample size every row must have; 0: the first row's.
  std::int32_t sample_size = 0;
};

// The chart's members: CType, Title, IsDataIn, TNVal/NSam, splits and their limits, labels,
// values and flags, and every place's lines in both graphs. Numbers use '.' as decimal mark, or
// ',' in a file separated by ';'. Fails with Error::InvalidInput naming the row and column of a
// bad value, or the option that cannot be met.
Result<ChartMembers> BuildChart(const CsvTable& table, const ChartOptions& options);

// "Weight" or "d, n": the column names of an option, split at commas and trimmed.
std::vector<std::string> ColumnNames(std::string_view list);

// ReadCsv and BuildChart in one: the chart's members for CSV text.
Result<ChartMembers> MakeChartMembers(std::string_view csv_text, const ChartOptions& options);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_FROM_DATA_H_
