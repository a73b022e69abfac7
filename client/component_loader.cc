#include "client/component_loader.h"

#include <dlfcn.h>

#include "abi/abi_values.h"

namespace ostrevin {
namespace {

// The entry point `name` of the loaded library `handle`.
template <class Function>
Result<Function> EntryPoint(void* handle, const char* name, const std::filesystem::path& path) {
  void* symbol = ::dlsym(handle, name);
  if (symbol == nullptr)
    return Error::InvalidInput(path.string() + ": not a component library: no " + name);
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

Result<ComponentLibrary> ComponentLibrary::Open(const std::filesystem::path& path) {
  // Never closed: see the class comment.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = ::dlerror();
    return Error::InvalidInput("cannot load " + path.string() + ": " +
                               (reason != nullptr ? reason : "unknown reason"));
  }
  ComponentLibrary library;
  library.path_ = path;
  auto reg = EntryPoint<OstDllRegisterServer>(handle, "DllRegisterServer", path);
  auto unreg = EntryPoint<OstDllUnregisterServer>(handle, "DllUnregisterServer", path);
  auto get = EntryPoint<OstDllGetClassObject>(handle, "DllGetClassObject", path);
  auto unload = EntryPoint<OstDllCanUnloadNow>(handle, "DllCanUnloadNow", path);
  if (!reg) return reg.error();
  if (!unreg) return unreg.error();
  if (!get) return get.error();
  if (!unload) return unload.error();
  library.register_ = *reg;
  library.unregister_ = *unreg;
  library.get_class_object_ = *get;
  library.can_unload_now_ = *unload;
  return library;
}

Result<void*> ComponentLibrary::CreateRaw(const OstGuid& clsid, const OstGuid& iid) const {
  const std::string where = path_.string() + ": class " + GuidText(clsid);
  ComPtr<IOstClassFactory> factory;
  OstStatus status = get_class_object_(&clsid, &IOstClassFactory::kIid,
                                       reinterpret_cast<void**>(factory.Receive()));
  if (!OstSucceeded(status) || !factory)
    return Error::InvalidInput(where + ": no class factory: " + StatusText(status));
  void* object = nullptr;
  status = factory->CreateInstance(nullptr, iid, &object);
  if (!OstSucceeded(status) || object == nullptr)
    return Error::InvalidInput(where + ": cannot create an object: " + StatusText(status));
  return object;
}

}  // namespace ostrevin
