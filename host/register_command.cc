#include <ostream>

#include "abi/abi_values.h"
#include "abi/component_registry.h"
#include "client/component_loader.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kRegisterHelp =
    "usage: ostrevin register [--library PATH]\n"
    "\n"
    "Registers the add-on library's classes Ostrevin.clsInfo and Ostrevin.clsData in your\n"
    "component registry ($XDG_DATA_HOME/component-registry/classes.ini, by default\n"
    "~/.local/share/component-registry/classes.ini), so that hosts can create them by name.\n"
    "Other entries of the registry are kept.\n"
    "\n"
    "  --library PATH     the library to register (see \"ostrevin --help\")\n";

constexpr std::string_view kUnregisterHelp =
    "usage: ostrevin unregister [--library PATH]\n"
    "\n"
    "Removes the registration of Ostrevin.clsInfo and Ostrevin.clsData from your component\n"
    "registry, keeping its other entries. Without a library given (see \"ostrevin --help\"),\n"
    "the registered library removes its own registration.\n"
    "\n"
    "  --library PATH     the library whose registration to remove\n";

constexpr OptionSpec kOptions[] = {kLibraryOption};

// The library to (un)register: the chosen one, else for unregistering the registered one.
Result<std::filesystem::path> LibraryFor(const ParsedArgs& parsed, bool registering,
                                         const std::filesystem::path& registry) {
  std::filesystem::path library = ChooseLibrary(parsed);
  if (!library.empty()) return library;
  if (registering) return Error::InvalidInput("no library to register: give --library PATH");
  Result<ClassRegistration> found = FindClass(registry, kProgIdClsData);
  if (!found) return found.error();
  return found->library;
}

int Run(const SubCommand& command, bool registering, std::span<const std::string> args,
        CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(command, parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << command.help;
    return kExitSuccess;
  }
  if (!parsed->positional.empty()) return ReportUsageError(command, "too many arguments", io.err);
  const std::filesystem::path registry = DefaultComponentRegistryPath();
  Result<std::filesystem::path> path = LibraryFor(*parsed, registering, registry);
  if (!path) return ReportFailure(path.error(), io.err);
  Result<ComponentLibrary> library = ComponentLibrary::Open(*path);
  if (!library) return ReportFailure(library.error(), io.err);
  const OstStatus status = registering ? library->Register() : library->Unregister();
  if (!OstSucceeded(status)) {
    return ReportFailure(
        Error::InvalidInput(std::string(registering ? "DllRegisterServer" : "DllUnregisterServer") +
                            " failed for " + registry.string() + ": " + StatusText(status)),
        io.err);
  }
  io.out << (registering ? "registered " : "unregistered ") << kProgIdClsInfo << " and "
         << kProgIdClsData << " of " << library->path().string()
         << (registering ? " in " : " from ") << registry.string() << '\n';
  return kExitSuccess;
}

int RunRegister(std::span<const std::string> args, CommandStreams io) {
  return Run(RegisterCommand(), true, args, io);
}

int RunUnregister(std::span<const std::string> args, CommandStreams io) {
  return Run(UnregisterCommand(), false, args, io);
}

}  // namespace

const SubCommand& RegisterCommand() {
  static constexpr SubCommand kRegister{"register",
                                        "register the add-on's classes in the component registry",
                                        kRegisterHelp, RunRegister};
  return kRegister;
}

const SubCommand& UnregisterCommand() {
  static constexpr SubCommand kUnregister{"unregister",
                                          "remove the add-on's classes from the component registry",
                                          kUnregisterHelp, RunUnregister};
  return kUnregister;
}

}  // namespace ostrevin
