#ifndef OSTREVIN_CHART_PUT_CHART_H_
#define OSTREVIN_CHART_PUT_CHART_H_

// Built charts straight into a container, for tests and tools that embed the container. Kept
// apart from the rest of chart/ so that the ostrevin command, which reaches the container only
// through the library, links none of it.

#include "chart/chart_members.h"
#include "values/error.h"

namespace ostrevin {

class clsData;

// Puts the members into `data` in order, as the chart-file reader applies a file. Fails with the
// container's error for the first member it refuses.
Status PutChart(const ChartMembers& members, clsData& data);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_PUT_CHART_H_
