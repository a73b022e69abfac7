#ifndef OSTREVIN_ABI_COMPONENT_REGISTRY_H_
#define OSTREVIN_ABI_COMPONENT_REGISTRY_H_

// The per-user registry of in-process component classes: which library makes a class, found by
// the class's programmatic name. The library writes its classes into it (DllRegisterServer) and
// removes them (DllUnregisterServer); hosts read it to create a class by name.
//
// The registry is an INI file (settings/ini_file_store.h), one section per class:
//
//   [Ostrevin.clsData]
//   CLSID={0D816A40-71EA-488D-9B05-A63ACA044355}
//   Library=/usr/local/lib/libOstrevin.so
//   TypeLib={1AD387CF-FDF7-4194-A44F-16E0549FD1D9}
//   Version=2.00.0007
//
// Every change locks the file, re-reads it, edits only its own sections and replaces the file
// atomically (temporary file, then rename), so other entries are kept.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "abi/ostrevin_abi.h"
#include "settings/ini_file_store.h"
#include "values/error.h"

namespace ostrevin {

struct ClassRegistration {
  std::string prog_id;
  OstGuid clsid;
  std::filesystem::path library;  // absolute
  OstGuid libid;
  std::string version;
};

// Where the registry lives: $XDG_DATA_HOME/component-registry/classes.ini (an absolute
// XDG_DATA_HOME only), else $HOME/.local/share/component-registry/classes.ini. Empty when
// neither variable gives a folder.
std::filesystem::path ComponentRegistryPath(const EnvLookup& env);
// The same over the process environment, with the password database standing in for $HOME.
std::filesystem::path DefaultComponentRegistryPath();

// Writes the classes' sections, replacing earlier ones of the same names. Fails with a message
// naming the registry when it cannot be written.
Status RegisterClasses(const std::filesystem::path& registry,
                       std::span<const ClassRegistration> classes);
// Removes the sections of the programmatic names; names not registered are no error.
Status UnregisterClasses(const std::filesystem::path& registry,
                         std::span<const std::string_view> prog_ids);
// The registration of `prog_id` (any case). Fails, naming the registry, when the class is not
// registered or its section lacks a valid class id or library.
Result<ClassRegistration> FindClass(const std::filesystem::path& registry,
                                    std::string_view prog_id);

// "{0D816A40-71EA-488D-9B05-A63ACA044355}" and back (any case, braces required).
std::string GuidText(const OstGuid& guid);
std::optional<OstGuid> ParseGuid(std::string_view text);

}  // namespace ostrevin

#endif  // OSTREVIN_ABI_COMPONENT_REGISTRY_H_
