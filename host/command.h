#ifndef OSTREVIN_HOST_COMMAND_H_
#define OSTREVIN_HOST_COMMAND_H_

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "values/error.h"

namespace ostrevin {

// Exit statuses of the ostrevin command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUnusable = 1;  // a chart or a file could not be used
inline constexpr int kExitUsage = 2;     // wrong usage
inline constexpr int kExitSignal = 3;    // the diagnosis found a signal (--fail-on-signal)

struct CommandStreams {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;  // what "-" reads in place of a data file
};

// One sub-command of ostrevin. The list of them is SubCommands() in command.cc.
struct SubCommand {
  std::string_view name;
  std::string_view summary;  // one line in the command's help
  std::string_view help;     // its --help: the usage lines, a blank line, the description
  // Runs with the arguments after the sub-command's name; returns the exit status.
  int (*run)(std::span<const std::string> args, CommandStreams io);
};

// Runs `ostrevin ARGS...` (ARGS without the program's name), writing results to `out` and
// messages to `err`, reading `in` for a data file named "-"; returns the exit status. Never
// throws: an error escaping a sub-command is reported as an unusable chart or file.
int RunCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               std::istream& in);

// The text of the data file `path`, or of `in` for "-": what `chart` and `add` read.
Result<std::string> ReadDataText(const std::string& path, std::istream& in);

// For sub-commands: writes the message and the sub-command's usage lines to `err` and returns
// kExitUsage.
int ReportUsageError(const SubCommand& command, std::string_view message, std::ostream& err);

// For sub-commands: writes the error ("ostrevin: error 9: chart.json:4: Mx: ...") to `err` and
// returns kExitUnusable.
int ReportFailure(const Error& error, std::ostream& err);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_COMMAND_H_
