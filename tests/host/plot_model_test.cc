// The plot's model without a library or a toolkit: which points are marked and how the legend
// is made, and the axis arithmetic.
#include "plot/plot_model.h"

#include <gtest/gtest.h>

namespace ostrevin {
namespace {

// Ten places; place 3 holds no value.
PlotChartData TenPlaces(std::size_t graphs) {
  PlotChartData chart;
  for (int p = 0; p < 10; ++p) chart.labels.push_back("P" + std::to_string(p + 1));
  for (std::size_t g = 0; g < graphs; ++g) {
    PlotGraphData graph;
    for (int p = 0; p < 10; ++p) {
      graph.values.push_back(p == 3 ? std::nullopt : std::optional<float>(10.0f + p));
      graph.lines.push_back({13.0f, 10.0f, std::nullopt});
    }
    chart.graphs.push_back(graph);
  }
  return chart;
}

TEST(PlotModelTest, MarksPointsWithValuesAndMergesMovingRangeVariants) {
  PlotFindings findings;
  findings.graphs.resize(2);
  findings.graphs[0].findings = {{"DiagnoseForAllAboveBelowMean", 2, 5},
                                 {"DiagnoseForZigZag", 8, 12},  // runs past the chart's end
                                 {"DiagnoseForAllAboveUCL", 5, 5}};
  findings.graphs[1].findings = {{"DiagnoseForAllAboveUCLMR", 1, 1}, {"DiagnoseForNewTest", 0, 0}};
  const PlotModel model = BuildPlotModel(TenPlaces(2), findings);

  ASSERT_EQ(model.legend.size(), 4u);
  const std::string names[] = {"On or above UCL", "Run on one side of the centre line", "Zigzag",
                               "DiagnoseForNewTest"};
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(model.legend[k].name, names[k]);

  const PlotPanel& first = model.panels[0];
  std::vector<std::int16_t> places;
  for (const PlotMark& m : first.marks) places.push_back(m.place);
  EXPECT_EQ(places, (std::vector<std::int16_t>{2, 4, 5, 8, 9}));  // place 3 has no value
  EXPECT_EQ(first.marks[2].entries, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(first.marks[2].value, 15.0f);
  ASSERT_EQ(first.tracks.size(), 3u);
  EXPECT_EQ(first.tracks[0].entry, 0u);
  EXPECT_EQ(first.tracks[1].spans, (std::vector<std::pair<std::int16_t, std::int16_t>>{{2, 5}}));
  EXPECT_EQ(first.tracks[2].spans, (std::vector<std::pair<std::int16_t, std::int16_t>>{{8, 9}}));

  // The moving-range variant shares the UCL test's legend entry.
  EXPECT_EQ(model.panels[1].marks[0].entries, (std::vector<std::size_t>{3}));
  EXPECT_EQ(model.panels[1].marks[1].entries, (std::vector<std::size_t>{0}));
  EXPECT_FLOAT_EQ(first.low, 10.0f - 0.06f * 9.0f);
  EXPECT_FLOAT_EQ(first.high, 19.0f + 0.06f * 9.0f);
}

TEST(PlotModelTest, SaysWhenNothingWasFound) {
  PlotFindings findings;
  findings.range_note = "Diagnosed from P1 (1) to P10 (10)";
  findings.graphs.resize(1);
  EXPECT_EQ(BuildPlotModel(TenPlaces(1), findings).subtitle, findings.range_note);
  findings.diagnosed = true;
  EXPECT_EQ(BuildPlotModel(TenPlaces(1), findings).subtitle,
            "Diagnosed from P1 (1) to P10 (10): no signals found");
  // A chart level at 10, lines and all, is drawn from 9 to 11 and the margin.
  PlotChartData level;
  level.labels = {"P1"};
  level.graphs.push_back({});
  level.graphs[0].values.push_back(10.0f);
  level.graphs[0].lines.push_back({10.0f, 10.0f, 10.0f});
  const PlotModel model = BuildPlotModel(level, findings);
  EXPECT_FLOAT_EQ(model.panels[0].low, 9.0f - 0.12f);
  EXPECT_FLOAT_EQ(model.panels[0].high, 11.0f + 0.12f);
}

}  // namespace
}  // namespace ostrevin
