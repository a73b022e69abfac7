// Limits for small data sets, worked out by hand.
#include "chart/control_limits.h"

#include <gtest/gtest.h>

namespace ostrevin {
namespace {

// ucl, centre, lcl as floats and which are shown.
void ExpectLines(const GraphLines& got, float ucl, float centre, float lcl, bool lcl_visible) {
  EXPECT_FLOAT_EQ(got.ucl, ucl);
  EXPECT_FLOAT_EQ(got.centre, centre);
  EXPECT_FLOAT_EQ(got.lcl, lcl);
  EXPECT_TRUE(got.ucl_visible);
  EXPECT_TRUE(got.centre_visible);
  EXPECT_EQ(got.lcl_visible, lcl_visible);
}

TEST(ControlLimitsTest, IndividualsPerSplit) {
  // Split 1: 10, 12 (mean 11, MR 2); split 2: 20, 26 (mean 23, MR 6); the range 12 -> 20 crosses.
  const IndividualsChart c = ComputeIndividuals({10, 12, 20, 26}, {{0, 1}, {2, 3}}).ValueOrThrow();
  EXPECT_EQ(c.moving_ranges, (std::vector<float>{2, 8, 6}));
  EXPECT_EQ(c.range_flags, (std::vector<std::int16_t>{1, 0, 1}));
  ASSERT_EQ(c.splits.size(), 2u);
  ExpectLines(c.splits[0][0], 16.32f, 11, 5.68f, true);  // 11 ± 2.66 × 2
  ExpectLines(c.splits[0][1], 6.534f, 2, 0, false);      // 3.267 × 2
  ExpectLines(c.splits[1][0], 38.96f, 23, 7.04f, true);  // 23 ± 2.66 × 6
  ExpectLines(c.splits[1][1], 19.602f, 6, 0, false);
}

TEST(ControlLimitsTest, ProportionsVaryWithSampleSize) {
  // 10 of 100 and 30 of 300: p-bar 0.1, σ 0.03 and √(0.09 / 300); the split at n-bar 200.
  const AttributeChart c =
      ComputeAttributes(Attribute::kProportion, {10, 30}, {100, 300}, {{0, 1}}).ValueOrThrow();
  EXPECT_EQ(c.values, (std::vector<float>{0.1f, 0.1f}));
  ExpectLines(c.places[0][0], 0.19f, 0.1f, 0.01f, true);
  ExpectLines(c.places[1][0], 0.15196152f, 0.1f, 0.04803848f, true);
  ExpectLines(c.splits[0][0], 0.16363961f, 0.1f, 0.03636039f, true);
  EXPECT_EQ(c.places[0][1], GraphLines{});  // a p chart has one graph
  // 1 of 2 and 0 of 1: p-bar 1/3; with n = 1 the UCL is capped at 1 and the LCL floored at 0.
  const AttributeChart small =
      ComputeAttributes(Attribute::kProportion, {1, 0}, {2, 1}, {{0, 1}}).ValueOrThrow();
  ExpectLines(small.places[1][0], 1, 0.33333334f, 0, false);
}

TEST(ControlLimitsTest, RefusesSplitsWithoutSpread) {
  auto message = [](const auto& result) { return result.error().message(); };
  EXPECT_EQ(message(ComputeIndividuals({1, 2, 5, 5, 5}, {{0, 1}, {2, 4}})),
            "split 2 (place numbers 3 to 5): every moving range is 0, so there are no control "
            "limits to work out");
  EXPECT_EQ(message(ComputeSubgroups({{1, 1}, {2, 2}}, Spread::kSD, {{0, 1}})),
            "split 1 (place numbers 1 to 2): every S.D. is 0, so there are no control limits to "
            "work out");
  EXPECT_EQ(message(ComputeAttributes(Attribute::kProportion, {0, 0}, {5, 5}, {{0, 1}})),
            "split 1 (place numbers 1 to 2): nothing is nonconforming, so there are no control "
            "limits to work out");
  EXPECT_EQ(message(ComputeAttributes(Attribute::kNonconforming, {5, 5}, {5, 5}, {{0, 1}})),
            "split 1 (place numbers 1 to 2): everything is nonconforming, so there are no control "
            "limits to work out");
  EXPECT_EQ(message(ComputeAttributes(Attribute::kDefectsPerUnit, {0, 0}, {2, 3}, {{0, 1}})),
            "split 1 (place numbers 1 to 2): there are no defects, so there are no control "
            "limits to work out");
}

}  // namespace
}  // namespace ostrevin
