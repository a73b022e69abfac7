#ifndef OSTREVIN_ENGINE_REPORT_TEXT_H_
#define OSTREVIN_ENGINE_REPORT_TEXT_H_

// The one place the report is written: the "Diagnostics report" text of a composed Report, from
// the report alone, and its parts (a graph's splits, a test's finding lines).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/findings.h"
#include "engine/report.h"
#include "engine/run_driver.h"

namespace ostrevin {

// The "Diagnostics report" text of a composed report.
std::string ReportText(const Report& report);

// The graph's part of the report. REQUIRES: `labels` holds what NoteLabels (run_driver.h) notes.
std::string RenderGraph(const PlaceLabels& labels, const GraphDiagnosis& diagnosis);

// Appends the places whose labels `result`'s lines name to `places`, in the order the text names
// them.
void AddNamedPlaces(const TestResult& result, std::vector<std::int16_t>& places);
// Notes the label of every place `result` names that `labels` does not hold yet, in the order
// the text names them; a place outside HAxL is the container's error 9.
Status NoteLabels(const clsData& data, const TestResult& result, PlaceLabels& labels);

// A place as the report names it: its label, " (", place + 1, ")". REQUIRES: `labels` holds it.
std::string PointText(const PlaceLabels& labels, std::int16_t place);

// The report's text for what a test found: each block's heading, one line per finding, and an
// empty line closing the block. Empty when nothing was found. REQUIRES: `labels` holds every
// place the result names (NoteLabels).
std::string FormatFindings(const PlaceLabels& labels, TestId test, const TestResult& result);
// The same with the labels read from the container, for one result alone.
Result<std::string> FormatFindings(const clsData& data, TestId test, const TestResult& result);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_REPORT_TEXT_H_
