#include "analysis/false_alarms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "analysis/stable_chart.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"

namespace ostrevin {
namespace {

class FalseAlarmsTest : public ::testing::Test {
 protected:
  // Switches every test off but `on`.
  void Only(std::initializer_list<TestId> on) {
    for (const TestEntry& t : AllTests())
      settings_.SaveCheckFor(t.key, std::find(on.begin(), on.end(), t.id) != on.end());
  }
  FalseAlarmEstimate Estimate(std::int16_t points, std::int32_t runs, std::uint64_t seed = 7) {
    return EstimateFalseAlarms(settings_, points, runs, seed).ValueOrThrow();
  }
  static std::vector<TestId> Tests(const FalseAlarmEstimate& e) {
    std::vector<TestId> ids;
    for (const SignalRate& r : e.tests) ids.push_back(*r.test);
    return ids;
  }

  MemoryStore store_;
  DiagnosisSettings settings_{store_};
};

// Numbers turned from draws in pieces are the ones Next gives, and each piece fills only its own.
TEST(NormalSourceTest, PiecesOfTheDrawsGiveTheNumbersInOrder) {
  NormalSource pieces(5);
  std::vector<std::uint64_t> raw(6);
  pieces.DrawPairs(raw);
  for (const auto& [first, size] : {std::pair{0, 4}, std::pair{1, 2}, std::pair{3, 3}}) {
    std::vector<float> out(static_cast<std::size_t>(size) + 1, -99.0f);
    NormalSource::Normals(raw, static_cast<std::size_t>(first),
                          std::span<float>(out).first(static_cast<std::size_t>(size)));
    NormalSource again(5);
    for (int k = 0; k < first; ++k) again.Next();
    for (int k = 0; k < size; ++k)
      EXPECT_EQ(out[static_cast<std::size_t>(k)], static_cast<float>(again.Next())) << first;
    EXPECT_EQ(out.back(), -99.0f) << first;
  }
}

TEST_F(FalseAlarmsTest, ControlLimitsAloneSignalEvery370PointsOnAverage) {
  Only({TestId::kAboveUCL, TestId::kBelowLCL});
  const FalseAlarmEstimate e = Estimate(100, 4000);
  ASSERT_EQ(Tests(e), (std::vector<TestId>{TestId::kAboveUCL, TestId::kBelowLCL}));
  const Interval& arl = e.all.arl;
  EXPECT_LT(arl.low, 1 / 0.0027);
  EXPECT_GT(arl.high, 1 / 0.0027);
  EXPECT_LT(arl.high / arl.low, 1.2);  // narrow enough to tell 370 from, say, 300 or 450
  const double share = 1 - std::pow(1 - 0.0027, 100);  // a chart of 100 points with a signal
  EXPECT_LT(e.all.share.low, share);
  EXPECT_GT(e.all.share.high, share);
  for (const SignalRate& one_side : e.tests) {
    EXPECT_LT(one_side.arl.low, 2 / 0.0027);
    EXPECT_GT(one_side.arl.high, 2 / 0.0027);
  }
}

// After a shift of D SD a point falls beyond a limit with chance Φ(−3 + D) + Φ(−3 − D), so the
// run length to the first signal averages 43.9 points at D = 1, 6.30 at 2 and 2.00 at 3; a mean
// moving down is caught by the LCL, as soon as the same shift upwards by the UCL.
TEST_F(FalseAlarmsTest, ControlLimitsCatchAShiftAsTheNormalDistributionSays) {
  Only({TestId::kAboveUCL, TestId::kBelowLCL});
  auto phi = [](double z) { return 0.5 * std::erfc(-z / std::sqrt(2)); };
  for (double d : {1.0, 2.0, 3.0, -2.0}) {
    const FalseAlarmEstimate e =
        EstimateFalseAlarms(settings_, 300, 3000, 11, {}, {d, 0}).ValueOrThrow();
    const double arl = 1 / (phi(-3 + d) + phi(-3 - d));
    EXPECT_LT(e.all.arl.low, arl) << d;
    EXPECT_GT(e.all.arl.high, arl) << d;
    EXPECT_LT(e.tests[d > 0 ? 1 : 0].charts_with_signal, e.runs / 20) << d;  // the far side
  }
  // A drift of 0.5 SD per point passes the UCL of 3 at the 7th point at the latest.
  const FalseAlarmEstimate drift =
      EstimateFalseAlarms(settings_, 50, 500, 11, {}, {0, 0.5}).ValueOrThrow();
  EXPECT_LE(drift.all.arl.estimate, 7);
  EXPECT_GT(drift.all.arl.estimate, 4);
  EXPECT_LT(drift.tests[1].charts_with_signal, drift.runs / 20);  // upwards: the UCL's to catch
  EXPECT_FALSE(EstimateFalseAlarms(settings_, 50, 5, 1, {}, {NAN, 0}));
}

// A run of n points signals at its n-th point, however long the run it belongs to.
TEST_F(FalseAlarmsTest, FirstSignalIsWhereTheRuleIsFirstMet) {
  Only({TestId::kAboveBelowMean, TestId::kIncreasingOrDecreasing});
  settings_.SaveSignificance("AllAboveBelowMean", "1");          // every point: at place 0
  settings_.SaveSignificance("AllIncreasingOrDecreasing", "2");  // every step: at place 1
  const FalseAlarmEstimate e = Estimate(30, 200);
  ASSERT_EQ(e.tests.size(), 2u);
  EXPECT_EQ(e.tests[0].points, 200);
  EXPECT_EQ(e.tests[0].arl.estimate, 1);
  EXPECT_EQ(e.tests[1].points, 400);
  EXPECT_EQ(e.tests[1].share.estimate, 1);
  EXPECT_EQ(e.all.points, 200);
  // Charts too short for the rule contribute all their points and no signal.
  const FalseAlarmEstimate one = Estimate(1, 10);
  EXPECT_EQ(one.tests[1].charts_with_signal, 0);
  EXPECT_EQ(one.tests[1].points, 10);
  EXPECT_TRUE(std::isinf(one.tests[1].arl.estimate));
}

}  // namespace
}  // namespace ostrevin
