#include "engine/limit_tests.h"

#include <gtest/gtest.h>

#include <vector>

#include "chart_builder.h"
#include "engine/report_text.h"

namespace ostrevin {
namespace {

// Places 0..5 of one split with lines 13/10/7: a value on the UCL, one above it, one on the LCL.
class LimitTestsTest : public ::testing::Test {
 protected:
  LimitTestsTest() {
    chart.Splits({0, 6}).Lines(0, 0, 5, 13, 10, 7).Lines(1, 0, 5, 13, 10, 7);
    chart.Values({13, 10, 7, 14, 10, 6.5f});
    for (std::int16_t p = 0; p < 6; ++p) chart.data().SetHAxL(p, "D" + std::to_string(p + 1));
  }

  std::string Run(TestFunction test, std::int16_t graph = 0, std::int16_t run_first = 0) {
    records.clear();
    for (std::int16_t p = 0; p < 6; ++p) records.push_back(MakePointRecord(chart.data(), graph, p));
    TestArgs args{chart.data(), records, graph, 0, 0, run_first, 5, choice};
    TestResult result = test(args);
    explanation = result.explanation;
    return FormatFindings(
        chart.data(), test == DiagnoseAllBelowLCL ? TestId::kBelowLCL : TestId::kAboveUCL, result);
  }

  ChartBuilder chart{-2};
  TestChoice choice;  // the limit tests read no threshold
  std::vector<PointRecord> records;
  std::string explanation;
};

TEST_F(LimitTestsTest, PointsOnOrBeyondTheLimits) {
  EXPECT_EQ(Run(DiagnoseAllAboveUCL),
            "Point D1 (1) is ABOVE or ON the UPPER CONTROL LIMIT\r\n"
            "Point D4 (4) is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n");
  EXPECT_EQ(explanation, "Points ABOVE or ON the Upper Control Limit.");

  TestArgs args{chart.data(), records, 0, 0, 0, 0, 5, choice};
  EXPECT_EQ(FormatFindings(chart.data(), TestId::kBelowLCL, DiagnoseAllBelowLCL(args)),
            "Point D3 (3) is BELOW or ON the LOWER CONTROL LIMIT\r\n"
            "Point D6 (6) is BELOW or ON the LOWER CONTROL LIMIT\r\n\r\n");
  EXPECT_EQ(DiagnoseAllBelowLCL(args).explanation, "Points BELOW or ON the Lower Control Limit.");
}

TEST_F(LimitTestsTest, InvisibleLimitsEmptyPlacesAndEarlierRunsAreNotReported) {
  chart.Hide(0, 0, 0, LineUCL);
  chart.data().SetPGVI(3, 0);
  EXPECT_EQ(Run(DiagnoseAllAboveUCL), "");
  EXPECT_EQ(explanation, "Points ABOVE or ON the Upper Control Limit.");  // applied, found none

  chart.data().SetPGVI(3, 1);
  EXPECT_EQ(Run(DiagnoseAllAboveUCL, 0, 4), "");  // place 3 was diagnosed by an earlier run
  EXPECT_EQ(Run(DiagnoseAllAboveUCL, 0, 3),
            "Point D4 (4) is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n");
}

TEST_F(LimitTestsTest, SplitsWithoutLimitsAreNotTested) {
  struct Row {
    std::int16_t ctype, split_run, split_none;
  };
  for (Row row : {Row{0, 0, 0}, Row{-2, 1, 0}, Row{-2, 0, 1}}) {
    chart.data().SetCType(row.ctype);
    chart.data().SetSplitRun(0, row.split_run);
    chart.data().SetSplitNone(0, row.split_none);
    for (TestFunction test : {DiagnoseAllAboveUCL, DiagnoseAllBelowLCL}) {
      EXPECT_EQ(Run(test), "") << row.ctype;
      EXPECT_EQ(explanation, "") << row.ctype;
    }
  }
}

TEST_F(LimitTestsTest, SecondGraphRulesForTheLowerLimit) {
  chart.data().SetCType(-1);  // moving ranges are never tested against their LCL
  EXPECT_EQ(Run(DiagnoseAllBelowLCL, 1), "");
  EXPECT_EQ(explanation, "");
  EXPECT_NE(Run(DiagnoseAllAboveUCL, 1), "");

  chart.data().SetCType(-3);  // ranges: skipped only while the split's LCL is exactly 0
  chart.data().SetLcl(1, 1, 0);
  EXPECT_EQ(Run(DiagnoseAllBelowLCL, 1), "");
  EXPECT_EQ(explanation, "");
  chart.data().SetLcl(1, 1, 0.5f);
  EXPECT_NE(Run(DiagnoseAllBelowLCL, 1), "");
  EXPECT_EQ(explanation, "Points BELOW or ON the Lower Control Limit.");
}

}  // namespace
}  // namespace ostrevin
