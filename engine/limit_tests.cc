#include "engine/limit_tests.h"

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

// One block with a line for every record from runFirstRecord on that `beyond` selects.
template <class Beyond>
std::vector<FindingBlock> PointsBeyond(const TestArgs& args, int direction, Beyond beyond) {
  FindingBlock block;
  for (std::int16_t k = args.runFirstRecord; k <= args.lastRecord; ++k) {
    if (beyond(args.records[static_cast<std::size_t>(k)]))
      block.findings.push_back(
          RecordsFinding(args.records, k, k, 1, static_cast<std::int16_t>(direction)));
  }
  std::vector<FindingBlock> blocks;
  if (!block.findings.empty()) blocks.push_back(std::move(block));  // moved, not copied from a list
  return blocks;
}

}  // namespace

Result<TestResult> DiagnoseAllAboveUCL(const TestArgs& args) {
  OSTREVIN_ASSIGN_OR_RETURN(const bool has_limits, SplitHasLimits(args));
  if (!has_limits) return TestResult{};
  return TestResult{
      "Points ABOVE or ON the Upper Control Limit.",
      PointsBeyond(args, +1, [](const PointRecord& r) { return IsAboveLine(r, LineUCL, true); })};
}

Result<TestResult> DiagnoseAllBelowLCL(const TestArgs& args) {
  const clsData& d = args.data;
  OSTREVIN_ASSIGN_OR_RETURN(const bool has_limits, SplitHasLimits(args));
  if (!has_limits) return TestResult{};
  if (d.CType() == -1 && args.graph == 1) return TestResult{};
  if (d.CType() == -3 && args.graph == 1) {
    OSTREVIN_ASSIGN_OR_RETURN(const float lcl, d.Lcl(args.limitSplit + 1, 1));
    if (lcl == 0.0f) return TestResult{};
  }
  return TestResult{
      "Points BELOW or ON the Lower Control Limit.",
      PointsBeyond(args, -1, [](const PointRecord& r) { return IsBelowLine(r, LineLCL, true); })};
}

}  // namespace ostrevin
