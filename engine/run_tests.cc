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

// The maximal stretches of consecutive indexes k..j for which a condition holds and which are at
// least minLength long, as one block of findings with a line for each. A stretch covers the
// records k to j + extra (a trend's steps k..j are its points k..j+1). This is what marking every
// window of minLength true indexes and listing the marked clusters gives, in one pass.
// REQUIRES: minLength >= 1.
class Runs {
 public:
  Runs(const TestArgs& args, std::int32_t minLength, std::int16_t direction, std::int32_t extra)
      : args_(args), min_length_(minLength), direction_(direction), extra_(extra) {}

  // Whether the condition holds at index k, the index after the last one given.
  void Next(std::int32_t k, bool holds) {
    // Only the rare end of a long enough stretch takes a branch; the condition itself is a coin
    // toss on a stable process.
    const std::int32_t holding = holds;
    if (length_ >= min_length_ && holding == 0) Add(k - length_, k - 1);
    length_ = (length_ + 1) & -holding;
  }
  // Ends the stretches after index `last`; adds the block when it holds a line.
  void End(std::int32_t last, TestResult& result) {
    if (length_ >= min_length_) Add(last + 1 - length_, last);
    if (!block_.findings.empty()) result.blocks.push_back(std::move(block_));
  }

 private:
  void Add(std::int32_t begin, std::int32_t end) {  // the true indexes begin..end
    const std::int32_t last = end + extra_;
    block_.findings.push_back(RecordsFinding(
        args_.records, static_cast<std::int16_t>(begin), static_cast<std::int16_t>(last),
        static_cast<std::int16_t>(last - begin + 1), direction_));
  }

  const TestArgs& args_;
  std::int32_t min_length_;
  std::int16_t direction_;
  std::int32_t extra_;
  std::int32_t length_ = 0;  // of the stretch of true indexes that ends just before the next
  FindingBlock block_;
};

// The runs of `down` (direction -1), then those of `up` (+1), found in one pass over `scan`.
template <class Down, class Up>
void AddRunsBothWays(TestResult& result, const TestArgs& args, ScanRange scan,
                     std::int32_t minLength, std::int32_t extra, Down down, Up up) {
  Runs downs(args, minLength, -1, extra), ups(args, minLength, +1, extra);
  for (std::int32_t k = scan.first; k <= scan.last; ++k) {
    downs.Next(k, down(k));
    ups.Next(k, up(k));
  }
  downs.End(scan.last, result);
  ups.End(scan.last, result);
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
  AddRunsBothWays(
      result, args, scan, n, 0,
      [&](std::int32_t k) { return IsBelowLine(At(args, k), LineCentre, false); },
      [&](std::int32_t k) { return IsAboveLine(At(args, k), LineCentre, false); });
  return result;
}

Result<TestResult> DiagnoseAllWithin1SDMean(const TestArgs& args) {
  const clsData& d = args.data;
  const std::int16_t n = args.choice.Threshold(TestId::kWithin1SD);
  OSTREVIN_ASSIGN_OR_RETURN(const bool has_limits, SplitHasLimits(args));
  if (!has_limits) return TestResult{};
  if (d.CType() == -1 && args.graph == 1) return TestResult{};
  TestResult result{
      std::to_string(n) + " consecutive points are all within 1SD of the central line.", {}};
  if (n < 1) return result;
  const ScanRange scan = RecordsToScan(args, n - 1);
  // The SD of every record that holds a value, in record order: the first that fails stops the
  // test.
  std::vector<float> own;
  OSTREVIN_ASSIGN_OR_RETURN(
      const std::span<const float> sd,
      RecordSDs(args, static_cast<std::size_t>(std::max(scan.first, 0)),
                static_cast<std::size_t>(std::max(scan.last - scan.first + 1, 0)), own));
  Runs within(args, n, 0, 0);
  for (std::int32_t k = scan.first; k <= scan.last; ++k) {
    const PointRecord& r = At(args, k);
    const float s = sd[static_cast<std::size_t>(k - scan.first)];
    const float lo = r.Centre - s;
    const float hi = s + r.Centre;
    within.Next(k, (r.ValueFlag != 0) & (s >= 0.0f) & (lo < r.Value) & (r.Value < hi));
  }
  within.End(scan.last, result);
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
  // The change over step k, or 0 when either point has no value: then the step goes neither way.
  auto change = [&](std::int32_t k) {
    const PointRecord& a = At(args, k);
    const PointRecord& b = At(args, k + 1);
    return (a.ValueFlag & b.ValueFlag) != 0 ? b.Value - a.Value : 0.0f;
  };
  AddRunsBothWays(
      result, args, steps, n - 1, 1, [&](std::int32_t k) { return change(k) < 0.0f; },
      [&](std::int32_t k) { return change(k) > 0.0f; });
  return result;
}

}  // namespace ostrevin
