#ifndef OSTREVIN_CHART_CHART_MEMBERS_H_
#define OSTREVIN_CHART_CHART_MEMBERS_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "addon/members.h"
#include "chartfile/file_io.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// One member of a built chart and what the host would put into it: a scalar, or an array from
// index 0 that a replaceable member takes whole and a fixed member takes element by element from
// its first index (as a chart file's list does). Two-index arrays hold one row per first index.
// PutChart (chart/put_chart.h) puts them into a container.
struct ChartMember {
  MemberId id;
  Variant value;
};
using ChartMembers = std::vector<ChartMember>;

// Arrays from index 0 of the member types: a list, or rows of [graph 0, graph 1] pairs.
Variant IntegerList(const std::vector<std::int16_t>& values);
Variant SingleList(const std::vector<float>& values);
Variant StringList(std::vector<std::string> values);  // takes the strings over
Variant SinglePairs(const std::vector<std::array<float, 2>>& rows);

// The chart-file text of `members`, laid out as the example charts are (WrappedChartFileText).
Result<std::string> ChartFileText(const ChartMembers& members);
// The same text handed to `sink` stretch by stretch as it is made (WriteWrappedChartFileText).
Status WriteChartFileText(const ChartMembers& members, const TextSink& sink);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_MEMBERS_H_
