#include "host/command.h"

#include <algorithm>
#include <exception>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "chartfile/file_io.h"
#include "host/library_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

// The sub-commands, in the order of the help text.
std::vector<const SubCommand*> SubCommands() {
  return {&DiagnoseCommand(), &PlotCommand(),  &ShowCommand(),     &OptionsCommand(),
          &SettingsCommand(), &InfoCommand(),  &RegisterCommand(), &UnregisterCommand(),
          &DumpCommand(),     &ChartCommand(), &AddCommand(),      &FalseAlarmsCommand()};
}

const SubCommand* Find(std::string_view name) {
  for (const SubCommand* command : SubCommands()) {
    if (command->name == name) return command;
  }
  return nullptr;
}

std::string TopHelp() {
  std::string text =
      "usage: ostrevin COMMAND [ARGUMENTS]\n"
      "\n"
      "Diagnoses control charts kept in chart files (JSON) with the Ostrevin add-on.\n"
      "\n"
      "Commands:\n";
  std::size_t width = 0;
  for (const SubCommand* command : SubCommands()) width = std::max(width, command->name.size());
  for (const SubCommand* command : SubCommands()) {
    text += "  " + std::string(command->name) + std::string(width + 3 - command->name.size(), ' ');
    text += std::string(command->summary) + "\n";
  }
  text +=
      "\n\"ostrevin COMMAND --help\" describes a command; \"ostrevin --version\" gives the\n"
      "versions of the command and of the library.\n\n";
  text += kLibraryHelp;
  return text;
}

int TopUsageError(std::string_view message, std::ostream& err) {
  err << "ostrevin: " << message << '\n' << TopHelp();
  return kExitUsage;
}

int RunGuarded(const SubCommand& command, std::span<const std::string> args, CommandStreams io) {
  try {
    return command.run(args, io);
  } catch (const Error& error) {
    return ReportFailure(error, io.err);
  } catch (const std::exception& error) {
    io.err << "ostrevin: " << error.what() << '\n';
    return kExitUnusable;
  }
}

}  // namespace

int ReportUsageError(const SubCommand& command, std::string_view message, std::ostream& err) {
  const std::size_t usage_end = command.help.find("\n\n");
  err << "ostrevin " << command.name << ": " << message << '\n'
      << command.help.substr(0, usage_end) << '\n';
  return kExitUsage;
}

int ReportFailure(const Error& error, std::ostream& err) {
  err << "ostrevin: " << error.ToString() << '\n';
  return kExitUnusable;
}

Result<std::string> ReadDataText(const std::string& path, std::istream& in) {
  if (path != "-") return ReadTextFile(path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return Error::InvalidInput("standard input cannot be read");
  return text.str();
}

int RunCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               std::istream& in) {
  if (args.empty()) return TopUsageError("missing command", err);
  const std::string& first = args[0];
  if (first == "--help" || first == "-h") {
    out << TopHelp();
    return kExitSuccess;
  }
  if (first == "--version" && args.size() == 1) return PrintVersions(out, err);
  if (first == "help" && args.size() <= 2) {
    const SubCommand* command = args.size() == 2 ? Find(args[1]) : nullptr;
    if (args.size() == 2 && command == nullptr)
      return TopUsageError("unknown command \"" + args[1] + "\"", err);
    out << (command ? std::string(command->help) : TopHelp());
    return kExitSuccess;
  }
  const SubCommand* command = Find(first);
  if (command == nullptr) {
    return TopUsageError(
        first.starts_with("-") ? "unknown option " + first : "unknown command \"" + first + "\"",
        err);
  }
  int status = RunGuarded(*command, args.subspan(1), CommandStreams{out, err, in});
  if (!out.flush()) {
    err << "ostrevin: cannot write to standard output\n";
    return kExitUnusable;
  }
  return status;
}

}  // namespace ostrevin
