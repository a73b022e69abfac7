#ifndef OSTREVIN_HOST_SUB_COMMANDS_H_
#define OSTREVIN_HOST_SUB_COMMANDS_H_

#include "host/command.h"

// The sub-commands of ostrevin, one source file each.

namespace ostrevin {

// `ostrevin dump CHART.json`: reads a chart file and writes the container back.
const SubCommand& DumpCommand();

// `ostrevin diagnose CHART.json [...]`: diagnoses a chart and prints the report.
const SubCommand& DiagnoseCommand();

// `ostrevin plot CHART.json -o FILE [...]`: draws a chart and the signals found in it.
const SubCommand& PlotCommand();

// `ostrevin settings list|get|set|reset`: the user's choice of tests and thresholds.
const SubCommand& SettingsCommand();

// `ostrevin show CHART.json [...]`: opens the report window over a chart.
const SubCommand& ShowCommand();

// `ostrevin options [...]`: opens the options dialog.
const SubCommand& OptionsCommand();

// `ostrevin chart KIND DATA.csv [...]`: builds a chart file from raw data.
const SubCommand& ChartCommand();

// `ostrevin add CHART.json DATA.csv [...]`: appends new places to a chart file.
const SubCommand& AddCommand();

// `ostrevin false-alarms [...]`: how often the switched-on tests signal on a stable process.
const SubCommand& FalseAlarmsCommand();

// `ostrevin info`: prints the descriptor and the library's identity.
const SubCommand& InfoCommand();

// `ostrevin --version`: the command's version, then the library's with its path; returns the exit
// status (1 when the library cannot be loaded).
int PrintVersions(std::ostream& out, std::ostream& err);

// `ostrevin register` and `ostrevin unregister`: the library's registration entry points.
const SubCommand& RegisterCommand();
const SubCommand& UnregisterCommand();

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_SUB_COMMANDS_H_
