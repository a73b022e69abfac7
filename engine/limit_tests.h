#ifndef OSTREVIN_ENGINE_LIMIT_TESTS_H_
#define OSTREVIN_ENGINE_LIMIT_TESTS_H_

#include "engine/findings.h"

namespace ostrevin {

// Every point from runFirstRecord on whose value is on or above its own visible UCL. Does not
// apply to charts of type 0, run splits and splits without limits.
Result<TestResult> DiagnoseAllAboveUCL(const TestArgs& args);

// Every point on or below its own visible LCL. Also skips the moving-range graph of a
// measurements chart, and graph 1 of a subgroup chart whose split LCL is exactly 0.
Result<TestResult> DiagnoseAllBelowLCL(const TestArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_LIMIT_TESTS_H_
