#include "engine/limit_tests.h"

#include <gtest/gtest.h>

#include "signal_bench.h"

namespace ostrevin {
namespace {

// Places 0..5 of one split with lines 13/10/7: a value on the UCL, one above it, one on the LCL.
class LimitTestsTest : public SignalTestBench {
 protected:
  LimitTestsTest() : SignalTestBench(6) {}
  std::string Run(TestId test, std::int16_t graph = 0, std::int16_t run_first = 0) {
    return SignalTestBench::Run(test, {13, 10, 7, 14, 10, 6.5f}, run_first, 0, graph);
  }
};

TEST_F(LimitTestsTest, PointsOnOrBeyondTheLimits) {
  EXPECT_EQ(Run(TestId::kAboveUCL),
            "Point D1 (1) is ABOVE or ON the UPPER CONTROL LIMIT\r\n"
            "Point D4 (4) is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n");
  EXPECT_EQ(explanation, "Points ABOVE or ON the Upper Control Limit.");

  EXPECT_EQ(Run(TestId::kBelowLCL),
            "Point D3 (3) is BELOW or ON the LOWER CONTROL LIMIT\r\n"
            "Point D6 (6) is BELOW or ON the LOWER CONTROL LIMIT\r\n\r\n");
  EXPECT_EQ(explanation, "Points BELOW or ON the Lower Control Limit.");
}

TEST_F(LimitTestsTest, InvisibleLimitsEmptyPlacesAndEarlierRunsAreNotReported) {
  chart.Hide(0, 0, 0, LineUCL);
  chart.data().SetPGVI(3, 0).ValueOrThrow();
  EXPECT_EQ(Run(TestId::kAboveUCL), "");
  EXPECT_EQ(explanation, "Points ABOVE or ON the Upper Control Limit.");  // applied, found none

  chart.data().SetPGVI(3, 1).ValueOrThrow();
  EXPECT_EQ(Run(TestId::kAboveUCL, 0, 4), "");  // place 3 was diagnosed by an earlier run
  EXPECT_EQ(Run(TestId::kAboveUCL, 0, 3),
            "Point D4 (4) is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n");
}

TEST_F(LimitTestsTest, SecondGraphRulesForTheLowerLimit) {
  chart.data().SetCType(-1);  // moving ranges are never tested against their LCL
  EXPECT_EQ(Run(TestId::kBelowLCL, 1), "");
  EXPECT_EQ(explanation, "");
  EXPECT_NE(Run(TestId::kAboveUCL, 1), "");

  chart.data().SetCType(-3);  // ranges: skipped only while the split's LCL is exactly 0
  chart.data().SetLcl(1, 1, 0).ValueOrThrow();
  EXPECT_EQ(Run(TestId::kBelowLCL, 1), "");
  EXPECT_EQ(explanation, "");
  chart.data().SetLcl(1, 1, 0.5f).ValueOrThrow();
  EXPECT_NE(Run(TestId::kBelowLCL, 1), "");
  EXPECT_EQ(explanation, "Points BELOW or ON the Lower Control Limit.");
}

}  // namespace
}  // namespace ostrevin
