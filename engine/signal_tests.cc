#include "engine/signal_tests.h"

#include <cmath>
#include <functional>

#include "addon/cls_data.h"
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

Result<float> GetSD(const TestArgs& args, const PointRecord& record) {
  if (args.horizontal0 == nullptr) return GetSD(args.data, args.graph, args.limitSplit, record);
  const PointRecord* first = args.records.data();
  const bool listed = args.sd_memo != nullptr && std::less_equal<>()(first, &record) &&
                      std::less<>()(&record, first + args.records.size());
  if (!listed) return GetSD(args.data, args.graph, record, *args.horizontal0);
  float& sd = args.sd_memo->values[static_cast<std::size_t>(&record - first)];
  if (std::isnan(sd)) {
    OSTREVIN_ASSIGN_OR_RETURN(sd, GetSD(args.data, args.graph, record, *args.horizontal0));
  }
  return sd;
}

Result<std::span<const float>> RecordSDs(const TestArgs& args, std::size_t first, std::size_t count,
                                         std::vector<float>& own) {
  if (count == 0) return std::span<const float>();
  const std::span<const PointRecord> records = std::span(args.records).subspan(first, count);
  if (args.sd_memo != nullptr && args.horizontal0 != nullptr) {
    const std::span<float> kept = std::span(args.sd_memo->values).subspan(first, count);
    OSTREVIN_RETURN_IF_ERROR(
        args.sd_memo->Cover(first, first + count, [&](std::size_t from, std::size_t to) {
          return FillSDs(args.data, args.graph, std::span(args.records).subspan(from, to - from),
                         *args.horizontal0,
                         std::span(args.sd_memo->values).subspan(from, to - from));
        }));
    return std::span<const float>(kept);
  }
  own.assign(count, std::nanf(""));
  for (std::size_t k = 0; k < count; ++k) {
    if (records[k].ValueFlag == 0) continue;
    OSTREVIN_ASSIGN_OR_RETURN(own[k], GetSD(args, records[k]));
  }
  return std::span<const float>(own);
}

Result<bool> SplitIsHorizontal(const TestArgs& args) {
  if (args.graph == 0 && args.horizontal0 != nullptr) return (*args.horizontal0)();
  return LimitsAreHorizontal(args.data, args.graph, args.limitSplit);
}

Result<bool> SplitHasLimits(const TestArgs& args) {
  const clsData& d = args.data;
  if (d.CType() == 0) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t run, d.SplitRun(args.limitSplit));
  if (run != 0) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(args.limitSplit));
  return none == 0;
}

TestChoice ReadTestChoice(const DiagnosisSettings& settings) {
  TestChoice choice;
  for (const TestEntry& test : kTests) {
    const auto k = static_cast<std::size_t>(test.id);
    choice.on[k] = settings.GetCheckFor(test.key);
    if (!test.threshold.empty())
      choice.threshold[k] = settings.GetSignificance(test.threshold, test.threshold_default);
  }
  choice.zigzag_about_centre =
      settings.GetSignificanceFlag(OptionKey(TestOption::kZigZagAboutCentre));
  choice.zigzag_from_1sd = settings.GetSignificanceFlag(OptionKey(TestOption::kZigZagFrom1SD));
  choice.zigzag_at_least_1sd =
      settings.GetSignificanceFlag(OptionKey(TestOption::kZigZagAtLeast1SD));
  return choice;
}

}  // namespace ostrevin
