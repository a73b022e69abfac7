#ifndef OSTREVIN_ENGINE_FINDING_TEXT_H_
#define OSTREVIN_ENGINE_FINDING_TEXT_H_

#include <cstdint>
#include <map>
#include <string>

#include "engine/findings.h"

namespace ostrevin {

// A line break in the report: carriage return and line feed.
inline constexpr std::string_view kCrLf = "\r\n";

// The labels (HAxL) of the places a report names, read once while the report is composed.
using PlaceLabels = std::map<std::int16_t, std::string>;

// Notes the label of every place `result` names that `labels` does not hold yet, in the order
// the text names them; a place outside HAxL is the container's error 9.
void NoteLabels(const clsData& data, const TestResult& result, PlaceLabels& labels);

// A place as the report names it: its label, " (", place + 1, ")". REQUIRES: `labels` holds it.
std::string PointText(const PlaceLabels& labels, std::int16_t place);

// The report's text for what a test found: each block's heading, one line per finding, and an
// empty line closing the block. Empty when nothing was found. REQUIRES: `labels` holds every
// place the result names (NoteLabels).
std::string FormatFindings(const PlaceLabels& labels, TestId test, const TestResult& result);
// The same with the labels read from the container, for one result alone.
std::string FormatFindings(const clsData& data, TestId test, const TestResult& result);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_FINDING_TEXT_H_
