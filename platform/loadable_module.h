#ifndef OSTREVIN_PLATFORM_LOADABLE_MODULE_H_
#define OSTREVIN_PLATFORM_LOADABLE_MODULE_H_

#include <filesystem>

#include "values/error.h"

// The modules loaded on first use (the windows, the plot renderer), so that a process that needs
// none of them never loads the toolkit they link.

namespace ostrevin {

// Loads the shared object at `path`, which stays loaded for the life of the process, and returns
// the address of its `symbol`. Fails with a message naming the file and the loader's reason.
Result<void*> LoadModuleSymbol(const std::filesystem::path& path, const char* symbol);

// The object a module hands out through its entry function `symbol`, of the type
// void (*)(Interface**), loaded from `path` on first use. Fails as LoadModuleSymbol does.
template <class Interface>
Result<Interface*> LoadModuleObject(const std::filesystem::path& path, const char* symbol) {
  Result<void*> entry = LoadModuleSymbol(path, symbol);
  if (!entry) return entry.error();
  Interface* object = nullptr;
  reinterpret_cast<void (*)(Interface**)> (*entry)(&object);
  return object;
}

// The folder of the shared object or executable whose code or data holds `address`; empty when
// the loader cannot tell.
std::filesystem::path FolderOfCode(const void* address);

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_LOADABLE_MODULE_H_
