#ifndef OSTREVIN_ENGINE_ZONE_TESTS_H_
#define OSTREVIN_ENGINE_ZONE_TESTS_H_

// Tests on the bands (zones) between multiples of a point's SD on either side of its central
// line. A record lies in a zone only when it holds a value and GetSD gives 0 or more; both bounds
// belong to the zone. Patterns may begin a few records before runFirstRecord (2 for the 2-of-3
// tests, 4 for the 4-of-5 tests, 1 for the extreme switch), never before splitFirstRecord.
// None applies to charts of type 0, run splits, splits without limits, or the moving-range graph
// of a measurements chart; those return an empty result (no explanation, no findings).
// Findings are one block: a heading and one range per cluster, first to last point.

#include "engine/findings.h"

namespace ostrevin {

// 2 out of 3 consecutive points between 2 and 3 SD above (below) the central line.
Result<TestResult> Diagnose2OutOf3Between23SigmaAboveMean(const TestArgs& args);
Result<TestResult> Diagnose2OutOf3Between23SigmaBelowMean(const TestArgs& args);

// 4 out of 5 consecutive points between 1 and 3 SD above (below) the central line.
Result<TestResult> Diagnose4OutOf5Between13SigmaAboveMean(const TestArgs& args);
Result<TestResult> Diagnose4OutOf5Between13SigmaBelowMean(const TestArgs& args);

// A point between 2 and 3 SD on one side directly followed by one between 2 and 3 SD on the other;
// a chain of such switches is one range. Also skips graph 1 of a subgroup chart whose split LCL
// is exactly 0.
Result<TestResult> DiagnoseExtremeSwitch(const TestArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_ZONE_TESTS_H_
