#ifndef OSTREVIN_CHART_CHART_FILE_TEXT_H_
#define OSTREVIN_CHART_CHART_FILE_TEXT_H_

#include <string>

#include "chart/chart_members.h"
#include "values/error.h"

namespace ostrevin {

// The chart-file JSON of `members`, laid out as the example charts are: one member per line in
// the container's spelling, a long list wrapped over indented lines, Singles as the shortest text
// that reads back to the same 32-bit value. Fails on a text that is not UTF-8 or a Single that is
// not finite, naming the member and index.
Result<std::string> ChartFileText(const ChartMembers& members);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_FILE_TEXT_H_
