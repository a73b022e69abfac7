#ifndef OSTREVIN_PLOT_PLOT_CHART_H_
#define OSTREVIN_PLOT_PLOT_CHART_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "chartfile/chart_access.h"
#include "plot/plot_model.h"
#include "values/error.h"

namespace ostrevin {

// What one graph plots at each place from the first, as the library's diagnosis read it (its
// GetPlottedValues); none where the place holds no value.
using PlottedSeries = std::vector<std::optional<float>>;

// What the plot draws of the chart in `chart` for the places 0 to `last_place`: the labels and
// the splits, read by member name, and for each graph of `plotted` its values and its three lines
// where they are shown. An element outside its array reads as no value, no line or no label.
// Fails with the container's error when a member cannot be read at all.
Result<PlotChartData> ReadPlotChart(const ChartAccess& chart, std::int16_t last_place,
                                    std::span<const PlottedSeries> plotted);

// The plot of a diagnosed chart: ReadPlotFindings of `findings_json`, ReadPlotChart of `chart`
// with the values each diagnosed graph plots, and BuildPlotModel; `fallback_title` titles a chart
// without a title. Fails when the findings or the chart cannot be read.
Result<PlotModel> PlotModelOf(const ChartAccess& chart, std::string_view findings_json,
                              std::span<const PlottedSeries> plotted,
                              std::string_view fallback_title);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_CHART_H_
