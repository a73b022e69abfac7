#ifndef OSTREVIN_HOST_CONSOLE_DIAGNOSIS_H_
#define OSTREVIN_HOST_CONSOLE_DIAGNOSIS_H_

#include <iosfwd>
#include <string>

#include "client/chart_object.h"
#include "host/args.h"
#include "values/error.h"

namespace ostrevin {

// The options of a console diagnosis that every command diagnosing a chart file takes.
inline constexpr OptionSpec kFromStartOption{"--from-start"};
inline constexpr OptionSpec kDateTimeOption{"--date-time", true};

// What one diagnosis on the console gives: the container after Show, the report text (CR LF
// line breaks) and, when asked for, its findings as JSON (docs/findings-json.md).
struct ConsoleDiagnosis {
  ChartObject chart;
  std::string report;
  std::string findings_json;
};

// What each of the first `graphs` graphs of the last report composed on the console plots at
// each place, as the library hands it over (IOstReportFindings::GetPlottedValues).
Result<std::vector<std::vector<std::optional<float>>>> PlottedValuesOf(const ChartObject& chart,
                                                                       std::size_t graphs);

// Reads the chart file at `path` into a new container of the chosen library (--library) with its
// message boxes on the console: what they show while the file is read goes to `err`.
Result<ChartObject> ReadChartOnConsole(const std::string& path, const ParsedArgs& args,
                                       std::ostream& err);

// Reads the chart file at `path` into a new container of the chosen library (--library) and
// shows it on the console with the settings file of the arguments (--settings), --from-start and
// --date-time, as the host does around Show. Message boxes shown meanwhile go to `err`. On
// failure returns the error that `ostrevin diagnose` reports; a failing Show names `path`.
Result<ConsoleDiagnosis> DiagnoseOnConsole(const std::string& path, const ParsedArgs& args,
                                           bool with_json, std::ostream& err);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_CONSOLE_DIAGNOSIS_H_
