#include "engine/limit_tests.h"

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

// Charts and splits summarised by the central line alone, or by no line, have no limits to test.
bool HasLimits(const TestArgs& args) {
  const clsData& d = args.data;
  return d.CType() != 0 && d.SplitRun(args.limitSplit) == 0 && d.SplitNone(args.limitSplit) == 0;
}

// One block with a line for every record from runFirstRecord on that `beyond` selects.
template <class Beyond>
std::vector<FindingBlock> PointsBeyond(const TestArgs& args, int direction, Beyond beyond) {
  FindingBlock block;
  for (std::int16_t k = args.runFirstRecord; k <= args.lastRecord; ++k) {
    if (beyond(args.records[static_cast<std::size_t>(k)]))
      block.findings.push_back(
          RecordsFinding(args.records, k, k, 1, static_cast<std::int16_t>(direction)));
  }
  if (block.findings.empty()) return {};
  return {std::move(block)};
}

}  // namespace

TestResult DiagnoseAllAboveUCL(const TestArgs& args) {
  if (!HasLimits(args)) return {};
  return {
      "Points ABOVE or ON the Upper Control Limit.",
      PointsBeyond(args, +1, [](const PointRecord& r) { return IsAboveLine(r, LineUCL, true); })};
}

TestResult DiagnoseAllBelowLCL(const TestArgs& args) {
  const clsData& d = args.data;
  if (!HasLimits(args)) return {};
  if (d.CType() == -1 && args.graph == 1) return {};
  if (d.CType() == -3 && args.graph == 1 && d.Lcl(args.limitSplit + 1, 1) == 0.0f) return {};
  return {
      "Points BELOW or ON the Lower Control Limit.",
      PointsBeyond(args, -1, [](const PointRecord& r) { return IsBelowLine(r, LineLCL, true); })};
}

}  // namespace ostrevin
