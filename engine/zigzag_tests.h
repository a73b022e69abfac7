#ifndef OSTREVIN_ENGINE_ZIGZAG_TESTS_H_
#define OSTREVIN_ENGINE_ZIGZAG_TESTS_H_

// The zigzag test. R ("ZigZagRepeats", default 7) is how often the up-and-down pattern repeats,
// so a zigzag holds at least N = 2R points. Three options ("ZigZagAboutCentralLine",
// "ZigZagFrom1SD", "ZigZagAtLeastSDDistanceSignificant") choose how a point is classified:
//   - none of about and from-1-SD: each step goes up, down or nowhere, and the steps alternate
//     (with option distance a step smaller than the SD counts as no change);
//   - about alone: the points lie alternately above and below their own central line; with
//     option distance two such points must also be at least one SD apart;
//   - from-1-SD: the points lie alternately beyond the split's central line plus and minus one
//     SD (option distance then adds nothing).
// Without an SD (taken at the first record examined) options from-1-SD and distance are off.
// A repeat count below 1 or above 16383 (2R no longer a 16-bit count) gives the explanation line
// as usual but no findings.

#include "engine/findings.h"

namespace ostrevin {

// Stretches of at least 2R points that zigzag, each reported from its first to its last record,
// in one block; the block has no lines when a window of N records qualified but no stretch of
// alternating pairs was long enough. Looks back N - 1 records before the run start, never
// before the split. Skips the moving-range graph of a measurements chart, splits whose limits
// are not horizontal, splits without lines while an option is on, and charts of type 0 and run
// splits while option from-1-SD or distance is on.
Result<TestResult> DiagnoseZigZag(const TestArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_ZIGZAG_TESTS_H_
