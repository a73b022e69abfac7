#ifndef OSTREVIN_ENGINE_REPORT_JSON_H_
#define OSTREVIN_ENGINE_REPORT_JSON_H_

#include <string>

#include "engine/report.h"

namespace ostrevin {

// The content of a composed report as one JSON document (UTF-8, indented, no trailing line
// break): the frame, per graph and split the kind, summary and findings, the explanation lines
// and the next start. The format is described in docs/findings-json.md. Never fails: text that
// is not valid UTF-8 is written with replacement characters.
std::string FindingsJson(const Report& report);

// The "format" member of the document, and its "version".
inline constexpr char kFindingsFormat[] = "ostrevin-findings";
inline constexpr int kFindingsVersion = 1;

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_REPORT_JSON_H_
