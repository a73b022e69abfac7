#ifndef OSTREVIN_ENGINE_RUN_TESTS_H_
#define OSTREVIN_ENGINE_RUN_TESTS_H_

// Tests for runs of consecutive points that share a property. Each reports every maximal run of
// at least n records (n from section "Significances") that reaches the run start or a later
// record, from the scan start on: a run that began shortly before the run start (look-back
// records) is reported whole, one that began earlier is reported from the scan start. BELOW
// (DOWNWARDS) runs come before ABOVE (UPWARDS) runs, each direction its own block.
//
// A threshold below 1 (below 2 for the trend) cannot describe a run: the test still gives its
// explanation line when it applies, but reports nothing.

#include <cstdint>

#include "engine/findings.h"

namespace ostrevin {

// At least n points in a row all below, or all above, their own visible central line (n from
// "AllAboveBelowMean", default 8, look-back n - 1; on the moving-range graph of a measurements
// chart from "AllAboveBelowMeanMR", default 10, look-back n). Skips splits without lines.
Result<TestResult> DiagnoseAllAboveBelowMean(const TestArgs& args);

// At least n points in a row strictly closer than one SD to their central line ("AllWithin1SD",
// default 15, look-back n - 1). Skips charts of type 0, run splits, splits without lines and the
// moving-range graph of a measurements chart.
Result<TestResult> DiagnoseAllWithin1SDMean(const TestArgs& args);

// At least n points in a row each lower than the one before, or each higher
// ("AllIncreasingOrDecreasing", default 6). Equal neighbours and neighbours whose value flags
// share no bit break a trend. The look-back is n - 1, so that a trend completed by the run's
// first record is seen whole; a trend that ended before it is not reported again. Skips the
// moving-range graph of a measurements chart and splits whose limits are not horizontal.
Result<TestResult> DiagnoseAllIncreasingOrDecreasing(const TestArgs& args);

// The records a test examines: from runFirstRecord less `lookBack` records (a negative look-back
// counts as none), but never before record 0 or splitFirstRecord, to lastRecord (never past the
// end of the records, nor past record 32766). Empty (first > last) when runFirstRecord is
// negative.
struct ScanRange {
  std::int32_t first = 0;
  std::int32_t last = -1;
};
ScanRange RecordsToScan(const TestArgs& args, std::int32_t lookBack);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_RUN_TESTS_H_
