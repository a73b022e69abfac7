#include "chart/chart_members.h"

#include <gtest/gtest.h>

#include "tests/chart/loaded_chart.h"

namespace ostrevin {
namespace {

TEST(ChartFileTextTest, WritesASmallChartAsTheExamplesAre) {
  ChartOptions options = Options(ChartKind::kIndividuals, "Day");
  options.title = "Fill \"A\"";
  const std::string text =
      MakeChartFile("Day,Weight\nMon,5\nTue,7\nWed,6\n", options).ValueOrThrow();
  EXPECT_EQ(text, R"({
  "CType": -1,
  "Title": ["Fill \"A\""],
  "VAxis": ["Weight", "Moving range"],
  "IsDataIn": true,
  "TNVal": 2,
  "Splitp": 1,
  "Split": [0, 3],
  "Mx": [6],
  "Mr": [1.5],
  "Ucl": [[9.99, 4.9005]],
  "Lcl": [[2.01, 0]],
  "HAxL": ["Mon", "Tue", "Wed"],
  "XData": [5, 7, 6],
  "XDataI": [1, 1, 1],
  "RData": [2, 1],
  "RDataI": [1, 1],
  "PointStatsUcl": [[9.99, 4.9005], [9.99, 4.9005], [9.99, 4.9005]],
  "PointStatsLcl": [[2.01, 0], [2.01, 0], [2.01, 0]],
  "PointStatsCentre": [[6, 1.5], [6, 1.5], [6, 1.5]],
  "PointStatsblnUclVisible": [[true, true], [true, true], [true, true]],
  "PointStatsblnLclVisible": [[true, false], [true, false], [true, false]],
  "PointStatsblnCentreVisible": [[true, true], [true, true], [true, true]]
}
)");
}

TEST(ChartFileTextTest, WrapsLongListsAndWritesShortestSingles) {
  std::vector<float> values{0.1f, 1e-7f, 16777216.0f, -0.0f, 3.4e38f, 74.03f, -2.5f};
  for (int k = 0; k < 14; ++k) values.push_back(1000.125f + static_cast<float>(k));
  const std::string text = ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow();
  EXPECT_EQ(text, R"({
  "XData": [
    0.1, 1e-07, 16777216, -0.0, 3.4e+38, 74.03, -2.5, 1000.125, 1001.125, 1002.125, 1003.125,
    1004.125, 1005.125, 1006.125, 1007.125, 1008.125, 1009.125, 1010.125, 1011.125, 1012.125,
    1013.125
  ]
}
)");
  // A first item one character shorter than the rest still counts whole: the tenth item would
  // make the line 101 characters.
  values.assign(20, 1000.125f);
  values[0] = 0.125f;
  EXPECT_EQ(ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow(), R"({
  "XData": [
    0.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125,
    1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125,
    1000.125, 1000.125
  ]
}
)");
  // A line as long as a line may be keeps its last item.
  values[0] = 12.5f;
  EXPECT_EQ(ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow(), R"({
  "XData": [
    12.5, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125,
    1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125, 1000.125,
    1000.125
  ]
}
)");
}

}  // namespace
}  // namespace ostrevin
