#ifndef OSTREVIN_PLOT_PLOT_FINDINGS_H_
#define OSTREVIN_PLOT_PLOT_FINDINGS_H_

#include <cstdint>
#include <string_view>

#include "plot/plot_model.h"
#include "values/error.h"

namespace ostrevin {

// What a plot shows of a diagnosis, with the chart's last place.
struct PlotDiagnosis {
  std::int16_t last_place = 0;
  PlotFindings findings;
};

// Reads a findings JSON document (format "ostrevin-findings" version 1, docs/findings-json.md):
// the title, a line saying what was diagnosed, and for every graph of the chart its name and
// findings. Fails with a message naming the first member that is missing or of the wrong type.
Result<PlotDiagnosis> ReadPlotFindings(std::string_view json);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_FINDINGS_H_
