#ifndef OSTREVIN_HOST_LIBRARY_CHOICE_H_
#define OSTREVIN_HOST_LIBRARY_CHOICE_H_

#include <filesystem>
#include <string_view>

#include "abi/component_registry.h"
#include "client/chart_object.h"
#include "client/component_loader.h"
#include "host/args.h"

namespace ostrevin {

// The option every command that loads the add-on library takes.
inline constexpr OptionSpec kLibraryOption{"--library", true};

// How the commands find the library, for the help texts.
inline constexpr std::string_view kLibraryHelp =
    "The add-on library libOstrevin.so is the one named by --library PATH, else by\n"
    "$OSTREVIN_LIBRARY, else the one installed beside the command (../lib, or ../addon in a\n"
    "build tree); without any of these the classes are created by their names Ostrevin.clsInfo\n"
    "and Ostrevin.clsData through the component registry\n"
    "($XDG_DATA_HOME/component-registry/classes.ini, written by \"ostrevin register\").\n";

// The library a command loads (see kLibraryHelp); empty when objects are to be created through
// the component registry.
std::filesystem::path ChooseLibrary(const ParsedArgs& args);

// A new object of the class `prog_id` (class id `clsid`) as interface T: from the chosen library,
// or by name through the component registry.
template <class T>
Result<ComPtr<T>> CreateComponent(const ParsedArgs& args, std::string_view prog_id,
                                  const OstGuid& clsid) {
  const std::filesystem::path library = ChooseLibrary(args);
  if (library.empty()) return CreateByName<T>(prog_id, DefaultComponentRegistryPath());
  Result<ComponentLibrary> loaded = ComponentLibrary::Open(library);
  if (!loaded) return loaded.error();
  return loaded->Create<T>(clsid);
}

// A new chart data container, Ostrevin.clsData.
Result<ChartObject> NewChartObject(const ParsedArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_LIBRARY_CHOICE_H_
