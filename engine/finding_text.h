#ifndef OSTREVIN_ENGINE_FINDING_TEXT_H_
#define OSTREVIN_ENGINE_FINDING_TEXT_H_

#include <cstdint>
#include <string>

#include "engine/findings.h"

namespace ostrevin {

// A line break in the report: carriage return and line feed.
inline constexpr std::string_view kCrLf = "\r\n";

// A place as the report names it: its label, " (", place + 1, ")".
std::string PointText(const clsData& data, std::int16_t place);

// The report's text for what a test found: each block's heading, one line per finding, and an
// empty line closing the block. Empty when nothing was found.
std::string FormatFindings(const clsData& data, TestId test, const TestResult& result);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_FINDING_TEXT_H_
