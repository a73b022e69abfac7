#include "platform/loadable_module.h"

#include <dlfcn.h>

#include <string>

namespace ostrevin {

Result<void*> LoadModuleSymbol(const std::filesystem::path& path, const char* symbol) {
  // Never closed: code of the module may still be on a stack, or own objects, until the end.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = ::dlerror();
    return Error::InvalidInput("cannot load " + path.string() + ": " +
                               (reason != nullptr ? reason : "unknown reason"));
  }
  void* address = ::dlsym(handle, symbol);
  if (address == nullptr)
    return Error::InvalidInput(path.string() + ": not the expected module: no " + symbol);
  return address;
}

std::filesystem::path FolderOfCode(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code error;
  const std::filesystem::path file = std::filesystem::weakly_canonical(info.dli_fname, error);
  return error ? std::filesystem::path(info.dli_fname).parent_path() : file.parent_path();
}

}  // namespace ostrevin
