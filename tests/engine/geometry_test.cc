#include "engine/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/engine/chart_builder.h"
#include "values/error.h"

namespace ostrevin {
namespace {

// The error `result` holds, as "error N: message", or "no error".
template <class T>
std::string ErrorOf(const Result<T>& result) {
  return result ? "no error" : result.error().ToString();
}

TEST(PlottedValueTest, ReadsTheArraysOfEachChartType) {
  struct Row {
    std::int16_t ctype, g, place;
    float value;
    std::int16_t flag;
  };
  const Row rows[] = {
      {-7, 0, 3, 2.5f, 2}, {-5, 0, 3, 2.5f, 4}, {-4, 0, 3, 2.5f, 4}, {-3, 0, 3, 3.5f, 5},
      {-3, 1, 3, 4.5f, 5}, {-1, 0, 3, 1.5f, 2}, {-1, 1, 3, 5.5f, 6}, {-1, 1, 0, 0.0f, 0},
      {0, 0, 3, 1.5f, 2},  {-2, 0, 3, 1.5f, 2}, {-6, 0, 3, 1.5f, 2}, {-8, 0, 3, 1.5f, 2},
      {5, 0, 3, 1.5f, 2},
  };
  for (const Row& row : rows) {
    ChartBuilder chart(row.ctype);
    clsData& d = chart.data();
    for (std::int16_t k = 0; k < 8; ++k) {  // every other entry non-zero, so 0/0 stands out
      d.SetXData(k, 9).ValueOrThrow();
      d.SetXDataI(k, 9).ValueOrThrow();
      d.SetGV(k, 9).ValueOrThrow();
      d.SetPGVI(k, 9).ValueOrThrow();
      d.SetRData(k, 9).ValueOrThrow();
      d.SetRDataI(k, 9).ValueOrThrow();
    }
    d.SetXData(3, 1.5f).ValueOrThrow();
    d.SetXDataI(3, 2).ValueOrThrow();
    d.SetGV(3, 2.5f).ValueOrThrow();
    d.SetPGVI(3, 4).ValueOrThrow();
    d.SetRData(6, 3.5f).ValueOrThrow();
    d.SetRData(7, 4.5f).ValueOrThrow();
    d.SetRDataI(3, 5).ValueOrThrow();
    d.SetRData(2, 5.5f).ValueOrThrow();
    d.SetRDataI(2, 6).ValueOrThrow();
    const PlottedPoint got = PlottedValue(d, row.g, row.place).ValueOrThrow();
    EXPECT_EQ(got.value, row.value) << "CType " << row.ctype << " graph " << row.g;
    EXPECT_EQ(got.flag, row.flag) << "CType " << row.ctype << " graph " << row.g;
    // The one-pass reading of the typed storage gives the same at every place.
    const std::optional<std::vector<PlottedPoint>> all = PlottedValuesFromStorage(d, row.g, 7);
    ASSERT_TRUE(all && all->size() == 8) << "CType " << row.ctype;
    for (std::int16_t p = 0; p < 8; ++p) {
      const PlottedPoint one = PlottedValue(d, row.g, p).ValueOrThrow();
      EXPECT_EQ((*all)[static_cast<std::size_t>(p)].value, one.value) << row.ctype << " " << p;
      EXPECT_EQ((*all)[static_cast<std::size_t>(p)].flag, one.flag) << row.ctype << " " << p;
    }
  }
  // Values not stored as Singles are read one by one, with the container's conversions.
  ChartBuilder mixed(-2);
  ASSERT_TRUE(mixed.data()
                  .PutWholeArray(MemberId::XData, Variant(VArray(VarType::Variant, {{0, 9}})))
                  .ok());
  EXPECT_FALSE(PlottedValuesFromStorage(mixed.data(), 0, 7));
}

TEST(PlottedValueTest, IndexesOutsideTheArraysAreError9WithoutWrapping) {
  ChartBuilder subgroups(-3), individuals(-1);
  EXPECT_EQ(ErrorOf(PlottedValue(subgroups.data(), 1, 600)),
            "error 9: Subscript out of range: RData(1201)");
  EXPECT_EQ(ErrorOf(PlottedValue(subgroups.data(), 0, 20000)),
            "error 9: Subscript out of range: RData(40000)");
  EXPECT_EQ(ErrorOf(PlottedValue(individuals.data(), 1, -32768)),
            "error 9: Subscript out of range: RData(-32769)");
}

TEST(MakePointRecordTest, TakesValueFlagAndTheLinesOfItsGraph) {
  ChartBuilder chart(-1);
  chart.Lines(0, 4, 4, 99, 98, 97).Lines(1, 4, 4, 13, 10, 8).Hide(1, 4, 4, LineLCL);
  chart.Values({7.5f}, 4).data().SetPGVI(4, -1).ValueOrThrow();
  const PointRecord expected{7.5f, -1, 4, 13, 8, 10, true, false, true};
  EXPECT_EQ(MakePointRecord(chart.data(), 1, 4), expected);
  // Read in one pass from the typed storage: the same record, none where there is no value.
  EXPECT_EQ(PointRecordsFromStorage(chart.data(), 1, 3, 5), std::vector<PointRecord>{expected});
}

TEST(LimitsAreHorizontalTest, EveryVisibleLineMustKeepOneValueWithinTheSplit) {
  struct Row {
    const char* name;
    std::int16_t ctype, g;
    std::function<void(ChartBuilder&)> change;
    bool expected;
  };
  const Row rows[] = {
      {"level lines", -1, 0, [](ChartBuilder&) {}, true},
      {"UCL steps", -1, 0, [](ChartBuilder& c) { c.Lines(0, 6, 6, 14, 10, 8); }, false},
      {"step hidden", -1, 0,
       [](ChartBuilder& c) { c.Lines(0, 6, 6, 14, 10, 8).Hide(0, 6, 6, LineUCL); }, true},
      {"LCL steps", -1, 0, [](ChartBuilder& c) { c.Lines(0, 9, 9, 13, 10, 7); }, false},
      {"UCL NaN throughout", -1, 0, [](ChartBuilder& c) { c.Lines(0, 5, 9, std::nanf(""), 10, 8); },
       false},
      {"centre steps", -1, 0, [](ChartBuilder& c) { c.Lines(0, 5, 5, 13, 11, 8); }, false},
      {"next split differs", -1, 0, [](ChartBuilder& c) { c.Lines(0, 10, 10, 20, 10, 0); }, true},
      {"split before differs", -1, 0, [](ChartBuilder& c) { c.Lines(0, 4, 4, 20, 10, 0); }, true},
      {"trend", -1, 0, [](ChartBuilder& c) { c.data().SetblnTrend(2, true).ValueOrThrow(); },
       false},
      {"graph 1 with trend", -1, 1,
       [](ChartBuilder& c) { c.data().SetblnTrend(2, true).ValueOrThrow(); }, true},
      {"wavy -4", -4, 0, [](ChartBuilder& c) { c.data().SetblnWavypuChart(true); }, false},
      {"wavy -5", -5, 0, [](ChartBuilder& c) { c.data().SetblnWavypuChart(true); }, false},
      {"wavy flag on -1", -1, 0, [](ChartBuilder& c) { c.data().SetblnWavypuChart(true); }, true},
      {"empty split", -1, 0,
       [](ChartBuilder& c) {
         c.Splits({0, 5, 5}).Lines(0, 6, 6, 14, 10, 8);
       },
       true},
  };
  for (const Row& row : rows) {
    ChartBuilder chart(row.ctype);
    chart.Splits({0, 5, 10, 12}).Lines(0, 0, 11, 13, 10, 8).Lines(1, 0, 11, 5, 2, 0);
    row.change(chart);
    EXPECT_EQ(LimitsAreHorizontal(chart.data(), row.g, 1), row.expected) << row.name;
  }
  // A split beyond the arrays: level as far as they go, then error 9.
  ChartBuilder wide(-1);
  wide.Splits({0, 600}).Lines(0, 0, 500, 13, 10, 8);
  EXPECT_EQ(ErrorOf(LimitsAreHorizontal(wide.data(), 0, 0)),
            "error 9: Subscript out of range: PointStatsblnUclVisible(501, 0)");
}

// Flags: p Percent, h UCL forced to 100, z LCL forced to zero, t trend line; U, L and C hide the
// UCL, the LCL and the central line.
TEST(GetSDTest, ThirdOfTheWiderUsableHalf) {
  struct Row {
    const char* name;
    std::int16_t ctype;
    float ucl, centre, lcl;
    std::int16_t g;
    std::string_view flags;
    float expected;
  };
  const Row rows[] = {
      {"upper wider", -1, 13, 10, 8, 0, "", 1},
      {"equal halves", -1, 13, 10, 7, 0, "", 1},
      {"lower wider", -1, 13, 10, 4, 0, "", 2},
      {"LCL 0", -1, 13, 10, 0, 0, "", 1},
      {"LCL hidden", -1, 13, 10, 4, 0, "L", 1},
      {"UCL hidden, lower", -1, 13, 10, 4, 0, "U", 2},
      {"UCL hidden, lower negative", -1, 13, 10, 12, 0, "U", 0},
      {"centre hidden", -1, 13, 10, 8, 0, "C", -1},
      {"both limits hidden", -1, 13, 10, 8, 0, "UL", -1},
      {"percent ceiling", -1, 100, 70, 46, 0, "p", 8},
      {"100 without Percent", -1, 100, 70, 46, 0, "", 10},
      {"Percent on type 0", 0, 100, 70, 46, 0, "p", 10},
      {"ceiling on graph 1", -1, 100, 70, 46, 1, "p", 10},
      {"ceiling and LCL 0", -1, 100, 70, 0, 0, "p", -1},
      {"type 5 ceiling", 5, 5, 2, 0.5f, 0, "", 0.5f},
      {"type 5 below ceiling", 5, 6.5f, 2, 0.5f, 0, "", 1.5f},
      {"-4 ceiling", -4, 1, 0.25f, 0.0625f, 0, "", 0.0625f},
      {"-5 no ceiling", -5, 1, 0.25f, 0.0625f, 0, "", 0.25f},
      {"type 1 ceiling", 1, 1, 0.25f, 0.0625f, 0, "", 0.0625f},
      {"no ceiling on type 0", 0, 0, -3, -4, 0, "", 1},
      {"forced 100, level", -1, 13, 10, 8, 0, "h", 2.0f / 3.0f},
      {"forced 100, trend", -1, 13, 10, 8, 0, "ht", 1},
      {"forced 100, graph 1", -1, 13, 10, 8, 1, "h", 1},
      {"forced zero, level", -1, 13, 10, 4, 0, "z", 1},
      {"forced zero, trend", -1, 13, 10, 4, 0, "zt", 2},
      {"both forced, level", -1, 13, 10, 8, 0, "hz", -1},
  };
  for (const Row& row : rows) {
    ChartBuilder chart(row.ctype);
    clsData& d = chart.data();
    chart.Splits({0, 4, 8}).Lines(row.g, 4, 7, row.ucl, row.centre, row.lcl).Values({9}, 5);
    auto has = [&](char flag) { return row.flags.find(flag) != std::string_view::npos; };
    if (has('U')) chart.Hide(row.g, 4, 7, LineUCL);
    if (has('L')) chart.Hide(row.g, 4, 7, LineLCL);
    if (has('C')) chart.Hide(row.g, 4, 7, LineCentre);
    d.SetPercent(has('p'));
    d.SetblnTrend(2, has('t')).ValueOrThrow();
    d.SetblnUCLForced100(2, has('h')).ValueOrThrow();
    d.SetblnLCLForcedZero(2, has('z')).ValueOrThrow();
    EXPECT_EQ(GetSD(d, row.g, 1, MakePointRecord(d, row.g, 5).ValueOrThrow()), row.expected)
        << row.name;
  }
}

TEST(GetSDTest, WalksTheSplitOnlyForAForcedLimit) {
  ChartBuilder chart(-1);
  chart.Splits({0, 600}).Lines(0, 0, 0, 13, 10, 8);  // places 501.. lie beyond the lines
  const PointRecord record = MakePointRecord(chart.data(), 0, 0).ValueOrThrow();
  EXPECT_EQ(GetSD(chart.data(), 0, 0, record), 1.0f);
  chart.data().SetblnLCLForcedZero(1, true).ValueOrThrow();
  EXPECT_EQ(ErrorOf(GetSD(chart.data(), 0, 0, record)),
            "error 9: Subscript out of range: PointStatsblnUclVisible(501, 0)");
}

TEST(GetSDTest, AnOverflowingHalfIsError6) {
  ChartBuilder chart(-1);
  chart.Splits({0, 1}).Lines(0, 0, 0, 3e38f, -3e38f, -3.1e38f);
  EXPECT_EQ(ErrorOf(GetSD(chart.data(), 0, 0, *MakePointRecord(chart.data(), 0, 0))),
            "error 6: Overflow: SD at place 0");
}

}  // namespace
}  // namespace ostrevin
