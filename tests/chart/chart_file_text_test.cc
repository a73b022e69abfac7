#include "chart/chart_members.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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

// The scalars of a JSON value in order: itself, a list's items, or the items of a list's rows.
std::vector<nlohmann::ordered_json> Flatten(const nlohmann::ordered_json& value) {
  if (!value.is_array()) return {value};
  std::vector<nlohmann::ordered_json> flat;
  for (const auto& item : value) {
    const std::vector<nlohmann::ordered_json> inner = Flatten(item);
    flat.insert(flat.end(), inner.begin(), inner.end());
  }
  return flat;
}

// Every value of a written chart reads back to the same value, member by member in order.
TEST(ChartFileTextTest, ReadsBackToTheSameValues) {
  std::string csv = "d;n\n";
  for (int k = 1; k <= 40; ++k) csv += std::to_string(k % 7) + ";" + std::to_string(40 + k) + "\n";
  LoadedChart chart(csv, Options(ChartKind::kProportions, "", {20}));
  const auto json = nlohmann::ordered_json::parse(ChartFileText(chart.members).ValueOrThrow());
  ASSERT_EQ(json.size(), chart.members.size());
  auto member = chart.members.begin();
  for (const auto& [key, value] : json.items()) {
    ASSERT_EQ(key, Info(member->id).name);
    const std::vector<nlohmann::ordered_json> flat = Flatten(value);
    const bool array = member->value.IsArray();
    ASSERT_EQ(flat.size(), array ? member->value.array().size() : 1) << key;
    for (std::size_t i = 0; i < flat.size(); ++i) {
      const Variant v = array ? member->value.array().At(i) : member->value;
      const Variant read = v.type() == VarType::String    ? Variant(flat[i].get<std::string>())
                           : v.type() == VarType::Boolean ? Variant(flat[i].get<bool>())
                                                          : Variant(flat[i].get<float>());
      EXPECT_EQ(*read.ConvertTo(v.type()), v) << key << " " << i;
    }
    ++member;
  }
}

}  // namespace
}  // namespace ostrevin
