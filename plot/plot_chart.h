#ifndef OSTREVIN_PLOT_PLOT_CHART_H_
#define OSTREVIN_PLOT_PLOT_CHART_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chartfile/chart_access.h"
#include "plot/plot_model.h"
#include "values/error.h"

namespace ostrevin {

// What the plot draws of the chart in `chart`, read by member name for the places 0 to
// `last_place`: the labels, the splits, and for each of `graphs` graphs the value it plots at
// each place (as the diagnosis takes it for the chart's type) and its three lines where they are
// shown. An element outside its array reads as no value, no line or no label. Fails with the
// container's error when a member cannot be read at all.
Result<PlotChartData> ReadPlotChart(const ChartAccess& chart, std::int16_t last_place,
                                    std::size_t graphs);

// The plot of a diagnosed chart: ReadPlotFindings of `findings_json`, ReadPlotChart of `chart`
// and BuildPlotModel; `fallback_title` titles a chart without a title. Fails when the findings
// or the chart cannot be read.
Result<PlotModel> PlotModelOf(const ChartAccess& chart, std::string_view findings_json,
                              std::string_view fallback_title);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_CHART_H_
