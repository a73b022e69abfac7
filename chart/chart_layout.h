#ifndef OSTREVIN_CHART_CHART_LAYOUT_H_
#define OSTREVIN_CHART_CHART_LAYOUT_H_

#include <optional>
#include <string>
#include <vector>

#include "chart/chart_from_data.h"
#include "chart/control_limits.h"

namespace ostrevin {

// A chart's numbers as read from a table: one row per place (xmr: the value; subgroups: its
// values; p: nonconforming and inspected), with labels and splits.
struct ChartInput {
  ChartKind kind = ChartKind::kIndividuals;
  std::string title;
  std::vector<std::string> value_names;  // the value columns' header names
  NumberRows rows;
  std::vector<std::string> labels;
  std::vector<SplitRange> splits;  // the splits with limits of their own
  // The places plotted against the last split's lines (an extras split), if any.
  std::optional<SplitRange> extras;
};

// The rows of `table` as a chart of `options.kind` takes them, each checked as BuildChart checks
// it, with labels; places are numbered from `first_number` when no column labels them. No splits.
Result<ChartInput> ReadChartRows(const CsvTable& table, const ChartOptions& options,
                                 std::int32_t first_number = 1);

// The statistic of an attribute kind, and the title of its vertical axis (VAxis(0)), by which
// the counts charts, all CType -5, are told apart.
Attribute AttributeOf(ChartKind kind);
std::string_view AttributeAxis(ChartKind kind);

// The lines of an extras place: the lines of its limit split, or on a p chart those for the
// place's own sample size about the limit split's stored central line (p and u charts).
Lines ExtrasLines(ChartKind kind, const Lines& limit_split, std::span<const double> row);

// Works out the chart's limits and lays it out as members in the order of a chart file. Fails
// when a split has no spread to set limits by. REQUIRES: rows checked as BuildChart does.
// The labels are taken over from `input`.
Result<ChartMembers> LayOutChart(ChartInput input);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_LAYOUT_H_
