#include "analysis/interval_estimates.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ostrevin {
namespace {

TEST(IntervalEstimatesTest, QuantilesMatchTables) {
  struct Row {
    double p;
    std::int64_t df;
    double expected;
  };
  // Chi-square tables; past 400 degrees of freedom the Wilson-Hilferty cube is within 5e-6.
  const Row rows[] = {{0.975, 2, 7.377759},       {0.025, 2, 0.0506356},    {0.975, 10, 20.483177},
                      {0.025, 10, 3.246973},      {0.975, 22, 36.780712},   {0.025, 20, 9.590777},
                      {0.975, 1000, 1089.530913}, {0.025, 1000, 914.257154}};
  for (const Row& r : rows)
    EXPECT_NEAR(ChiSquareQuantile(r.p, r.df), r.expected, 5e-6 * r.expected) << r.p << " " << r.df;
  EXPECT_NEAR(NormalQuantile(0.975), 1.959964, 1e-6);
}

TEST(IntervalEstimatesTest, WilsonShares) {
  const Interval none = ShareInterval(0, 10);
  EXPECT_EQ(none.estimate, 0);
  EXPECT_EQ(none.low, 0);
  EXPECT_NEAR(none.high, 0.277533, 1e-6);
  const Interval half = ShareInterval(5, 10);
  EXPECT_NEAR(half.low, 0.236593, 1e-6);
  EXPECT_NEAR(half.high, 0.763407, 1e-6);
}

TEST(IntervalEstimatesTest, RunLengthsFromCensoredRuns) {
  const Interval arl = RunLengthInterval(1000, 10);
  EXPECT_EQ(arl.estimate, 100);
  EXPECT_NEAR(arl.low, 2000 / 36.780712, 1e-4);  // χ²(0.975; 22)
  EXPECT_NEAR(arl.high, 2000 / 9.590777, 1e-4);  // χ²(0.025; 20)
  const Interval none = RunLengthInterval(500, 0);
  EXPECT_TRUE(std::isinf(none.estimate));
  EXPECT_TRUE(std::isinf(none.high));
  EXPECT_NEAR(none.low, 1000 / 7.377759, 1e-4);
}

}  // namespace
}  // namespace ostrevin
