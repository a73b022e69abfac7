#ifndef OSTREVIN_HOST_SUB_COMMANDS_H_
#define OSTREVIN_HOST_SUB_COMMANDS_H_

#include "host/command.h"

// The sub-commands of ostrevin, one source file each.

namespace ostrevin {

// `ostrevin dump CHART.json`: reads a chart file and writes the container back.
const SubCommand& DumpCommand();

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_SUB_COMMANDS_H_
