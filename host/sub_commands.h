#ifndef OSTREVIN_HOST_SUB_COMMANDS_H_
#define OSTREVIN_HOST_SUB_COMMANDS_H_

#include "host/command.h"

// The sub-commands of ostrevin, one source file each.

namespace ostrevin {

// `ostrevin dump CHART.json`: reads a chart file and writes the container back.
const SubCommand& DumpCommand();

// `ostrevin diagnose CHART.json [...]`: diagnoses a chart and prints the report.
const SubCommand& DiagnoseCommand();

// `ostrevin settings list|get|set|reset`: the user's choice of tests and thresholds.
const SubCommand& SettingsCommand();

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_SUB_COMMANDS_H_
