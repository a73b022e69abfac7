#include "chart/chart_members.h"

#include <gtest/gtest.h>

#include "tests/chart/loaded_chart.h"
#include "tests/golden_text.h"

namespace ostrevin {
namespace {

TEST(ChartFileTextTest, WritesASmallChartAsTheExamplesAre) {
  ChartOptions options = Options(ChartKind::kIndividuals, "Day");
  options.title = "Fill \"A\"";
  const ChartMembers members =
      MakeChartMembers("Day,Weight\nMon,5\nTue,7\nWed,6\n", options).ValueOrThrow();
  const std::string text = ChartFileText(members).ValueOrThrow();
  EXPECT_EQ(text, TestFileText("chart/golden/small-chart.json"));
}

TEST(ChartFileTextTest, WrapsLongListsAndWritesShortestSingles) {
  std::vector<float> values{0.1f, 1e-7f, 16777216.0f, -0.0f, 3.4e38f, 74.03f, -2.5f};
  for (int k = 0; k < 14; ++k) values.push_back(1000.125f + static_cast<float>(k));
  const std::string text = ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow();
  EXPECT_EQ(text, TestFileText("chart/golden/wrapped-list.json"));
  // A first item one character shorter than the rest still counts whole: the tenth item would
  // make the line 101 characters.
  values.assign(20, 1000.125f);
  values[0] = 0.125f;
  EXPECT_EQ(ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow(),
            TestFileText("chart/golden/wrapped-short-first.json"));
  // A line as long as a line may be keeps its last item.
  values[0] = 12.5f;
  EXPECT_EQ(ChartFileText({{MemberId::XData, SingleList(values)}}).ValueOrThrow(),
            TestFileText("chart/golden/wrapped-full-line.json"));
}

}  // namespace
}  // namespace ostrevin
