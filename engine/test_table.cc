#include "engine/test_table.h"

#include "engine/limit_tests.h"
#include "engine/run_tests.h"
#include "engine/zigzag_test.h"
#include "engine/zone_tests.h"

namespace ostrevin {
namespace {

using enum MovingRangeCase;

constexpr TestEntry kTests[kTestCount] = {
    {TestId::kAboveUCL, "DiagnoseForAllAboveUCL", kNever, DiagnoseAllAboveUCL},
    {TestId::kAboveUCLMR, "DiagnoseForAllAboveUCLMR", kOnly, DiagnoseAllAboveUCL},
    {TestId::kBelowLCL, "DiagnoseForAllBelowLCL", kAny, DiagnoseAllBelowLCL},
    {TestId::kAboveBelowMean, "DiagnoseForAllAboveBelowMean", kNever, DiagnoseAllAboveBelowMean},
    {TestId::kAboveBelowMeanMR, "DiagnoseForAllAboveBelowMeanMR", kOnly, DiagnoseAllAboveBelowMean},
    {TestId::k2OutOf3Above, "DiagnoseFor2OutOf3Between23SigmaAboveMean", kAny,
     Diagnose2OutOf3Between23SigmaAboveMean},
    {TestId::k2OutOf3Below, "DiagnoseFor2OutOf3Between23SigmaBelowMean", kAny,
     Diagnose2OutOf3Between23SigmaBelowMean},
    {TestId::k4OutOf5Above, "DiagnoseFor4OutOf5Between13SigmaAboveMean", kAny,
     Diagnose4OutOf5Between13SigmaAboveMean},
    {TestId::k4OutOf5Below, "DiagnoseFor4OutOf5Between13SigmaBelowMean", kAny,
     Diagnose4OutOf5Between13SigmaBelowMean},
    {TestId::kWithin1SD, "DiagnoseForAllWithin1SDMean", kAny, DiagnoseAllWithin1SDMean},
    {TestId::kIncreasingOrDecreasing, "DiagnoseForAllIncreasingOrDecreasing", kAny,
     DiagnoseAllIncreasingOrDecreasing},
    {TestId::kExtremeSwitch, "DiagnoseForExtremeSwitch", kAny, DiagnoseExtremeSwitch},
    {TestId::kZigZag, "DiagnoseForZigZag", kAny, DiagnoseZigZag},
};

}  // namespace

std::span<const TestEntry> AllTests() {
  return kTests;
}

const TestEntry& Test(TestId id) {
  return kTests[static_cast<std::size_t>(id)];
}

}  // namespace ostrevin
