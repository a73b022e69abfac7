#ifndef OSTREVIN_FUZZ_HARNESSES_H_
#define OSTREVIN_FUZZ_HARNESSES_H_

#include <string_view>

// What the fuzzers run on each input; the regression tests replay saved inputs through the same
// functions. Each returns normally for every outcome the input may rightly have (an ostrevin::Error
// included) and aborts with a message when the code under test breaks one of its promises.

namespace ostrevin {

// Reads `text` as a chart file into a fresh in-process container; whatever it holds afterwards
// must write out and read back into an equal container.
void FuzzChartFile(std::string_view text);

// Reads `text` as a chart file and, when what was read has at most kMaxFuzzPlaces places, shows
// it with a report that ComposeDiagnosis writes, all thirteen tests on: once with the
// default numbers of points, once more from the same start with numbers the input chooses.
void FuzzDiagnosis(std::string_view text);
inline constexpr int kMaxFuzzPlaces = 4000;

// Parses `text` as settings text and edits it; then reads and edits a settings file holding it.
void FuzzSettingsFile(std::string_view text);

// Aborts with `what` when `condition` is false: a broken promise of the code under test.
void FuzzCheck(bool condition, std::string_view what);

}  // namespace ostrevin

#endif  // OSTREVIN_FUZZ_HARNESSES_H_
