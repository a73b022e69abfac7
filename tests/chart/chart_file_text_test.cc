#include "chart/chart_members.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

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

// The items of a line of a list, split at the commas outside brackets.
std::vector<std::string_view> ItemsOf(std::string_view line) {
  std::vector<std::string_view> items;
  int depth = 0;
  std::size_t begin = 0;
  for (std::size_t k = 0; k < line.size(); ++k) {
    depth += line[k] == '[' ? 1 : line[k] == ']' ? -1 : 0;
    if (line[k] != ',' || depth > 0) continue;
    items.push_back(line.substr(begin, k - begin));
    begin = k + 2;  // past ", "
  }
  if (begin < line.size()) items.push_back(line.substr(begin));
  return items;
}

// Long runs of alike values and rows, which the writer writes a line at a time, are laid out as
// any other items: no item lost or added, every line at most 100 columns and full (the first
// item of the next line would not have fitted).
TEST(ChartFileTextTest, FillsEveryLineOfLongRunsOfAlikeItems) {
  std::vector<float> values(300, 7.25f);
  values[0] = 1.5f;
  values[150] = 12.0f;
  std::vector<std::array<float, 2>> rows(300, {505.98135f, 7.341213f});
  rows[1] = {1, 2};
  rows[200] = {3.5f, 0};
  const std::string text = ChartFileText({{MemberId::XData, SingleList(values)},
                                          {MemberId::PointStatsUcl, SinglePairs(rows)}})
                               .ValueOrThrow();
  std::vector<std::vector<std::string_view>> lists;  // the lines of each list
  std::vector<std::string_view> lines;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.starts_with("    ")) continue;
    if (!line.ends_with(',')) {
      lists.emplace_back(std::move(lines)).push_back(line.substr(4));
      lines.clear();
    } else {
      lines.push_back(line.substr(4, line.size() - 5));
    }
  }
  ASSERT_EQ(lists.size(), 2u);
  for (const std::vector<std::string_view>& list : lists) {
    std::size_t items = 0;
    for (std::size_t k = 0; k < list.size(); ++k) {
      items += ItemsOf(list[k]).size();
      EXPECT_LE(4 + list[k].size() + 2, 100u) << list[k];
      if (k + 1 == list.size()) continue;
      EXPECT_GT(4 + list[k].size() + 2 + ItemsOf(list[k + 1])[0].size() + 2, 100u) << list[k];
    }
    EXPECT_EQ(items, 300u);
  }
}

}  // namespace
}  // namespace ostrevin
