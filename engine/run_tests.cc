#include "engine/run_tests.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "addon/cls_data.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {
namespace {

constexpr std::int32_t kInt16Max = std::numeric_limits<std::int16_t>::max();

const PointRecord& At(const TestArgs& args, std::int32_t k) {
  return args.records[static_cast<std::size_t>(k)];
}

// Adds one block with a line for every maximal stretch k..j of consecutive indexes within `scan`
// for which holds(k) is true and which is at least minLength long, or no block when there is
// none. A stretch covers the records k to j + extra (a trend's steps k..j are its points k..j+1).
// This is what marking every window of minLength true indexes and listing the marked clusters
// gives, in one pass. REQUIRES: minLength >= 1.
template <class Holds>
void AddRuns(TestResult& result, const TestArgs& args, ScanRange scan, std::int32_t minLength,
             std::int16_t direction, std::int32_t extra, Holds holds) {
  FindingBlock block;
  auto add = [&](std::int32_t begin, std::int32_t end) {  // the true indexes begin..end
    const std::int32_t last = end + extra;
    block.findings.push_back(RecordsFinding(
        args.records, static_cast<std::int16_t>(begin), static_cast<std::int16_t>(last),
        static_cast<std::int16_t>(last - begin + 1), direction));
  };
  // The length of the stretch of true indexes that ends just before k. Only the rare end of a
  // long enough stretch takes a branch; holds(k) itself is a coin toss on a stable process.
  std::int32_t length = 0;
  for (std::int32_t k = scan.first; k <= scan.last; ++k) {
    const std::int32_t holding = holds(k);
    if (length >= minLength && holding == 0) add(k - length, k - 1);
    length = (length + 1) & -holding;
  }
  if (length >= minLength) add(scan.last + 1 - length, scan.last);
  if (!block.findings.empty()) result.blocks.push_back(std::move(block));
}

}  // namespace

ScanRange RecordsToScan(const TestArgs& args, std::int32_t lookBack) {
  if (args.runFirstRecord < 0) return {};
  const std::int32_t first = std::max({std::int32_t{args.runFirstRecord} - std::max(lookBack, 0),
                                       std::int32_t{0}, std::int32_t{args.splitFirstRecord}});
  // At most 32767 records, so that every count of records, and every FindRun over them, fits
  // 16 bits.
  const auto size = static_cast<std::int32_t>(
      std::min<std::size_t>(args.records.size(), static_cast<std::size_t>(kInt16Max)));
  return {first, std::min<std::int32_t>(args.lastRecord, size - 1)};
}

Result<TestResult> DiagnoseAllAboveBelowMean(const TestArgs& args) {
  const clsData& d = args.data;
  const bool movingRange = d.CType() == -1 && args.graph == 1;
  const std::int16_t n =
      args.choice.Threshold(movingRange ? TestId::kAboveBelowMeanMR : TestId::kAboveBelowMean);
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(args.limitSplit));
  if (none != 0) return TestResult{};
  TestResult result{std::to_string(n) + " consecutive points either side of the central line.", {}};
  if (n < 1) return result;
  const ScanRange scan = RecordsToScan(args, movingRange ? n : n - 1);
  AddRuns(result, args, scan, n, -1, 0,
          [&](std::int32_t k) { return IsBelowLine(At(args, k), LineCentre, false); });
  AddRuns(result, args, scan, n, +1, 0,
          [&](std::int32_t k) { return IsAboveLine(At(args, k), LineCentre, false); });
  return result;
}

Result<TestResult> DiagnoseAllWithin1SDMean(const TestArgs& args) {
  const clsData& d = args.data;
  const std::int16_t n = args.choice.Threshold(TestId::kWithin1SD);
  if (d.CType() == 0) return TestResult{};
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t run, d.SplitRun(args.limitSplit));
  if (run != 0) return TestResult{};
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(args.limitSplit));
  if (none != 0) return TestResult{};
  if (d.CType() == -1 && args.graph == 1) return TestResult{};
  TestResult result{
      std::to_string(n) + " consecutive points are all within 1SD of the central line.", {}};
  if (n < 1) return result;
  const ScanRange scan = RecordsToScan(args, n - 1);
  // The SD of every record that holds a value, in record order: the first that fails stops the
  // test.
  std::vector<float> sd(static_cast<std::size_t>(std::max(scan.last - scan.first + 1, 0)), -1.0f);
  for (std::int32_t k = scan.first; k <= scan.last; ++k) {
    if (At(args, k).ValueFlag == 0) continue;
    OSTREVIN_ASSIGN_OR_RETURN(sd[static_cast<std::size_t>(k - scan.first)],
                              GetSD(args, At(args, k)));
  }
  AddRuns(result, args, scan, n, 0, 0, [&](std::int32_t k) {
    const PointRecord& r = At(args, k);
    const float s = sd[static_cast<std::size_t>(k - scan.first)];
    const float lo = r.Centre - s;
    const float hi = s + r.Centre;
    return (r.ValueFlag != 0) & (s >= 0.0f) & (lo < r.Value) & (r.Value < hi);
  });
  return result;
}

Result<TestResult> DiagnoseAllIncreasingOrDecreasing(const TestArgs& args) {
  const clsData& d = args.data;
  const std::int16_t n = args.choice.Threshold(TestId::kIncreasingOrDecreasing);
  if (d.CType() == -1 && args.graph == 1) return TestResult{};
  OSTREVIN_ASSIGN_OR_RETURN(const bool horizontal, SplitIsHorizontal(args));
  if (!horizontal) return TestResult{};
  TestResult result{
      std::to_string(n) + " consecutive points are either all increasing or all decreasing.", {}};
  if (n < 2) return result;
  // Step k goes from record k to record k + 1; n points make n - 1 steps.
  ScanRange steps = RecordsToScan(args, n - 1);
  steps.last -= 1;
  for (const std::int16_t direction : {std::int16_t{-1}, std::int16_t{+1}}) {
    AddRuns(result, args, steps, n - 1, direction, 1, [&](std::int32_t k) {
      const PointRecord& a = At(args, k);
      const PointRecord& b = At(args, k + 1);
      if ((a.ValueFlag & b.ValueFlag) == 0) return false;
      const float change = b.Value - a.Value;
      return direction > 0 ? change > 0.0f : change < 0.0f;
    });
  }
  return result;
}

}  // namespace ostrevin
