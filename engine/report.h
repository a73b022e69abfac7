#ifndef OSTREVIN_ENGINE_REPORT_H_
#define OSTREVIN_ENGINE_REPORT_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/run_driver.h"

namespace ostrevin {

class clsData;
class DiagnosisSettings;
class Platform;

// A place named by a report: its index and its label HAxL(place).
struct PlaceName {
  std::int16_t place = 0;
  std::string label;
};

// How a report ends: after diagnosing the graphs, or at once because the run starts past the end
// of the data or the chart holds too little data.
enum class ReportOutcome : std::uint8_t { kDiagnosed, kPastEnd, kInsufficientData };

struct GraphReport {
  std::int16_t graph = 0;
  std::string name;  // GraphTypeName: empty for one-graph charts
  GraphDiagnosis diagnosis;
  std::vector<PlottedPoint> plotted;  // PlottedValue at every place from 0 to end_place
};

// Everything a Diagnostics report says, decided once. ReportText (report_text.h) writes the text
// from it;
// FindingsJson (report_json.h) writes the same content as JSON.
struct Report {
  std::string title;                // Title(0), may be empty
  std::optional<std::string> file;  // strQuorvaFileName, when the user set it
  std::string date_time;
  std::int16_t chart_type = 0;
  bool two_graphs = false;
  std::vector<std::string> graph_names;  // GraphTypeName of each graph of the chart
  std::int16_t end_place = 0;            // GVMax, the last place of the chart
  ReportOutcome outcome = ReportOutcome::kDiagnosed;
  // Unless past the end: the places diagnosed, and where the last diagnosis finished when that
  // was after the first place.
  std::optional<PlaceName> start, end, last_finished;
  // Past the end: where the last diagnosis finished; none when that lies beyond the data.
  std::optional<PlaceName> finished_at;
  // Diagnosed: the graphs in order, then where the next diagnosis starts (none: end of data).
  std::vector<GraphReport> graphs;
  std::optional<PlaceName> next_start;
  // The labels of every place the graphs name, read while composing.
  PlaceLabels labels;
};

// The name of a graph of a two-graph chart ("Measurements Chart", "Range Chart", ...); empty
// for other chart types. Any graph other than 0 counts as graph 1.
std::string GraphTypeName(const clsData& data, std::int16_t graph);

// Diagnoses the chart from NextHAxLToDiagnose to the last place. Writes GVMax, the plotted values
// PGV/PGVI of the last graph and, after a complete run, the next start place into the container.
// The date and time come from `platform`. A container error stops it and comes back unchanged;
// errors arise in the order in which the report text names things.
Result<Report> ComposeReport(clsData& data, const DiagnosisSettings& settings, Platform& platform);

// ComposeReport and ReportText (report_text.h) together: the whole report text.
Result<std::string> ComposeDiagnosis(clsData& data, const DiagnosisSettings& settings,
                                     Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_REPORT_H_
