#ifndef OSTREVIN_ANALYSIS_FALSE_ALARM_TEXT_H_
#define OSTREVIN_ANALYSIS_FALSE_ALARM_TEXT_H_

#include <string>

#include "analysis/false_alarms.h"

namespace ostrevin {

// The estimate as a plain-text table, one line per test (by its "CheckFor" key) and one for all
// of them together, each line ending in LF.
std::string FormatFalseAlarms(const FalseAlarmEstimate& estimate);

}  // namespace ostrevin

#endif  // OSTREVIN_ANALYSIS_FALSE_ALARM_TEXT_H_
