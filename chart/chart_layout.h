#ifndef OSTREVIN_CHART_CHART_LAYOUT_H_
#define OSTREVIN_CHART_CHART_LAYOUT_H_

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
  std::vector<std::vector<double>> rows;
  std::vector<std::string> labels;
  std::vector<SplitRange> splits;
};

// Works out the chart's limits and lays it out as members in the order of a chart file. Fails
// when a split has no spread to set limits by. REQUIRES: rows checked as BuildChart does.
Result<ChartMembers> LayOutChart(const ChartInput& input);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_LAYOUT_H_
