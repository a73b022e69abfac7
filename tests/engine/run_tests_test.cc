#include "engine/run_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signal_bench.h"

namespace ostrevin {
namespace {

// A finding line of `count` points over places a..b (labelled Da, numbered a).
std::string Line(int count, const std::string& middle, int a, int b) {
  return std::to_string(count) + " consecutive points were found to be " + middle +
         ", starting at D" + std::to_string(a) + " (" + std::to_string(a) + ") to D" +
         std::to_string(b) + " (" + std::to_string(b) + ")\r\n";
}
const std::string kBelow = "BELOW the centre line", kAbove = "ABOVE the centre line";
const std::string kUp = "in an UPWARDS TREND", kDown = "in a DOWNWARDS TREND";

// Values by side of the central line 10: a above (11), b below (9), c on it.
std::vector<float> Sides(std::string_view pattern) {
  std::vector<float> values;
  for (char c : pattern) values.push_back(c == 'a' ? 11.0f : c == 'b' ? 9.0f : 10.0f);
  return values;
}

class RunTestsTest : public SignalTestBench {
 protected:
  RunTestsTest() : SignalTestBench(30) {}
};

TEST_F(RunTestsTest, RunsEitherSideOfTheCentralLine) {
  struct Row {
    std::string_view sides;
    std::int16_t run_first, split_first;
    std::string expected;
  };
  const Row rows[] = {
      {"bbbbbbbc", 0, 0, ""},
      {"bbbbbbbb", 0, 0,
       "8 consecutive points were found to be BELOW the centre line, starting at D1 (1) to D8 "
       "(8)\r\n\r\n"},
      {"caaaaaaaaaaaa", 0, 0, Line(12, kAbove, 2, 13) + "\r\n"},  // one line, not five
      {"aaaaaaaacbbbbbbbbb", 0, 0,
       Line(9, kBelow, 10, 18) + "\r\n" + Line(8, kAbove, 1, 8) + "\r\n"},
      {"aaabbbbbbbbbb", 7, 0, Line(10, kBelow, 4, 13) + "\r\n"},  // whole: within the look-back
      {"bbbbbbbbbbbb", 9, 0, Line(10, kBelow, 3, 12) + "\r\n"},   // from the scan start
      {"bbbbbbbbbbbb", 9, 4, Line(8, kBelow, 5, 12) + "\r\n"},    // never before the split
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Run(TestId::kAboveBelowMean, Sides(row.sides), row.run_first, row.split_first),
              row.expected)
        << row.sides;
    EXPECT_EQ(explanation, "8 consecutive points either side of the central line.");
  }
}

TEST_F(RunTestsTest, MovingRangeGraphHasItsOwnThresholdAndLooksBackOneMore) {
  data().SetCType(-1);
  EXPECT_EQ(Run(TestId::kAboveBelowMeanMR, Sides("bbbbbbbbbba"), 10, 0, 1),
            Line(10, kBelow, 1, 10) + "\r\n");
  EXPECT_EQ(explanation, "10 consecutive points either side of the central line.");
  settings.SaveSignificance("AllAboveBelowMean", "10");  // graph 0: look-back 9 misses record 0
  EXPECT_EQ(Run(TestId::kAboveBelowMean, Sides("bbbbbbbbbba"), 10), "");
}

TEST_F(RunTestsTest, PointsWithin1SD) {
  settings.SaveSignificance("AllWithin1SD", "3");
  chart.Hide(0, 8, 8, LineUCL).Hide(0, 8, 8, LineLCL);  // no SD at place 9
  const std::string within = "within 1 Sigma either side of the centre line";
  EXPECT_EQ(Run(TestId::kWithin1SD, {10.5f, 9.5f, 10, 11, 10, 10, 9.01f, 12, 10, 10, 10}),
            Line(3, within, 1, 3) + Line(3, within, 5, 7) + "\r\n");
  EXPECT_EQ(explanation, "3 consecutive points are all within 1SD of the central line.");
  // A run carried on from before the run start is reported from n - 1 records back.
  EXPECT_EQ(Run(TestId::kWithin1SD, {10, 10, 10, 10, 12}, 3), Line(3, within, 2, 4) + "\r\n");

  // SD 2/3 about 2^24: Centre + SD rounds to Centre itself as a float, so Centre is not within.
  settings.SaveSignificance("AllWithin1SD", "1");
  chart.Lines(0, 0, 0, 16777218.0f, 16777216.0f, 16777214.0f);
  EXPECT_EQ(Run(TestId::kWithin1SD, {16777216.0f}), "");
}

TEST_F(RunTestsTest, Trends) {
  struct Row {
    std::vector<float> values;
    std::int16_t run_first;
    std::string expected;
  };
  const Row rows[] = {
      {{1, 2, 3, 4, 5, 6},
       0,
       "6 consecutive points were found to be in an UPWARDS TREND, starting at D1 (1) to D6 "
       "(6)\r\n\r\n"},
      {{1, 2, 3, 4, 5, 5, 6}, 0, ""},
      {{1, 2, 3, 4, 5, 6, 7, 5, 4, 3, 2, 1, 0},
       0,
       Line(7, kDown, 7, 13) + "\r\n" + Line(7, kUp, 1, 7) + "\r\n"},
      {{1, 2, 3, 4, 5, 6}, 5, Line(6, kUp, 1, 6) + "\r\n"},  // completed by the run start
      {{1, 2, 3, 4, 5, 6, 0}, 6, ""},                        // reported by the run before
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Run(TestId::kIncreasingOrDecreasing, row.values, row.run_first), row.expected);
    EXPECT_EQ(explanation, "6 consecutive points are either all increasing or all decreasing.");
  }
  data().SetPGVI(3, 2).ValueOrThrow();  // flags 1 and 2 share no bit: no step there
  EXPECT_EQ(Run(TestId::kIncreasingOrDecreasing, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
            Line(6, kUp, 5, 10) + "\r\n");
}

TEST_F(RunTestsTest, WhereTheTestsApply) {
  struct Row {
    std::int16_t ctype, graph, split_run, split_none;
    bool trend_line;
    std::string_view applies;  // M mean, W within, T trend: the tests giving an explanation
  };
  const Row rows[] = {
      {-2, 0, 0, 0, false, "MWT"}, {0, 0, 0, 0, false, "MT"}, {-2, 0, 1, 0, false, "MT"},
      {-2, 0, 0, 1, false, "T"},   {-1, 1, 0, 0, false, "M"}, {-2, 0, 0, 0, true, "MW"},
      {-3, 1, 0, 0, true, "MWT"},  // graph 1 limits always count as horizontal
  };
  for (const Row& row : rows) {
    data().SetCType(row.ctype);
    data().SetSplitRun(0, row.split_run).ValueOrThrow();
    data().SetSplitNone(0, row.split_none).ValueOrThrow();
    data().SetblnTrend(1, row.trend_line).ValueOrThrow();
    std::string applies;
    for (auto [id, letter] : {std::pair{TestId::kAboveBelowMean, 'M'},
                              {TestId::kWithin1SD, 'W'},
                              {TestId::kIncreasingOrDecreasing, 'T'}}) {
      Run(id, {1, 2, 3}, 0, 0, row.graph);
      if (!explanation.empty()) applies += letter;
    }
    EXPECT_EQ(applies, row.applies) << row.ctype << " graph " << row.graph;
  }
}

TEST_F(RunTestsTest, ThresholdsThatCannotDescribeARunReportNothing) {
  for (const char* n : {"0", "-5", "-32768", "32767"}) {
    for (const char* key : {"AllAboveBelowMean", "AllWithin1SD", "AllIncreasingOrDecreasing"})
      settings.SaveSignificance(key, n);
    EXPECT_EQ(Run(TestId::kAboveBelowMean, Sides("bbbbbbbbbbbb"), 11), "");
    EXPECT_EQ(explanation, std::string(n) + " consecutive points either side of the central line.");
    EXPECT_EQ(Run(TestId::kWithin1SD, Sides("cccccccccccc"), 11), "");
    EXPECT_EQ(Run(TestId::kIncreasingOrDecreasing, {1, 2, 3, 4}), "");
  }
  settings.SaveSignificance("AllIncreasingOrDecreasing", "1");  // one point is no trend
  EXPECT_EQ(Run(TestId::kIncreasingOrDecreasing, {1, 2, 3, 4}), "");
}

// A chart of 32768 places below its central line: the run is counted as far as 16 bits go.
TEST_F(RunTestsTest, TheLongestRunFits16Bits) {
  std::vector<PointRecord> records(32768, PointRecord{9, 1, 0, 13, 7, 10, true, true, true});
  for (std::size_t k = 0; k < records.size(); ++k) records[k].Place = static_cast<std::int16_t>(k);
  const TestChoice choice = ReadTestChoice(settings);
  const TestResult result =
      DiagnoseAllAboveBelowMean({data(), records, 0, 0, 0, 0, 32767, choice}).ValueOrThrow();
  ASSERT_EQ(result.blocks.size(), 1u);
  const Finding& run = result.blocks[0].findings.at(0);
  EXPECT_EQ(std::vector<int>({run.first_place, run.last_place, run.count, run.direction}),
            std::vector<int>({0, 32766, 32767, -1}));
}

}  // namespace
}  // namespace ostrevin
