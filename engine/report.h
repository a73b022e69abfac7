#ifndef OSTREVIN_ENGINE_REPORT_H_
#define OSTREVIN_ENGINE_REPORT_H_

#include <cstdint>
#include <string>

namespace ostrevin {

class clsData;
class DiagnosisSettings;
class Platform;

// The name of a graph of a two-graph chart ("Measurements Chart", "Range Chart", ...); empty
// for other chart types. Any graph other than 0 counts as graph 1.
std::string GraphTypeName(const clsData& data, std::int16_t graph);

// The whole "Diagnostics report" for the chart, from NextHAxLToDiagnose to the last place. Writes
// GVMax, the plotted values PGV/PGVI of the last graph and, after a complete run, the next start
// place into the container. The date and time come from `platform`. Container errors pass
// through unchanged.
std::string ComposeDiagnosis(clsData& data, const DiagnosisSettings& settings, Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_REPORT_H_
