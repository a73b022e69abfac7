#include "engine/signal_tests.h"

#include "engine/limit_tests.h"
#include "engine/run_tests.h"
#include "engine/zigzag_tests.h"
#include "engine/zone_tests.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {
namespace {

using enum MovingRangeCase;
using enum LineShape;
using enum FindingWay;

constexpr TestEntry kTests[kTestCount] = {
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, ...)                                                    \
  {TestId::Id, Key, Threshold, ThresholdDefault, MovingRange, Run, Line, Up, Down, Way},
#include "settings/tests.def"
};

}  // namespace

std::span<const TestEntry> AllTests() {
  return kTests;
}

const TestEntry& Test(TestId id) {
  return kTests[static_cast<std::size_t>(id)];
}

std::int16_t Threshold(const DiagnosisSettings& settings, TestId id) {
  return settings.GetSignificance(Test(id).threshold, Test(id).threshold_default);
}

}  // namespace ostrevin
