#ifndef OSTREVIN_CLIENT_COMPONENT_LOADER_H_
#define OSTREVIN_CLIENT_COMPONENT_LOADER_H_

// Creating objects of in-process component libraries: from a library named by its path, or by
// a class's programmatic name through the per-user component registry.

#include <filesystem>
#include <string_view>

#include "abi/component_registry.h"
#include "abi/ostrevin_abi.h"
#include "client/com_ptr.h"
#include "values/error.h"

namespace ostrevin {

// A component library loaded into this process, and its four entry points. A library stays
// loaded until the process ends: one that has started a window system cannot be unloaded
// safely, and opening the same file again hands out the library already loaded.
class ComponentLibrary {
 public:
  // Loads the library at `path`. Fails, naming the path, when it cannot be loaded or lacks an
  // entry point.
  static Result<ComponentLibrary> Open(const std::filesystem::path& path);

  const std::filesystem::path& path() const { return path_; }

  // A new object of the class `clsid` as interface T (DllGetClassObject, CreateInstance).
  template <class T>
  Result<ComPtr<T>> Create(const OstGuid& clsid) const {
    Result<void*> object = CreateRaw(clsid, T::kIid);
    if (!object) return object.error();
    return ComPtr<T>::Adopt(static_cast<T*>(*object));
  }

  // The entry points' status codes, unchanged.
  OstStatus Register() const { return register_(); }
  OstStatus Unregister() const { return unregister_(); }
  OstStatus CanUnloadNow() const { return can_unload_now_(); }

 private:
  ComponentLibrary() = default;
  // The object's interface `iid`, AddRef'd.
  Result<void*> CreateRaw(const OstGuid& clsid, const OstGuid& iid) const;

  std::filesystem::path path_;
  OstDllRegisterServer register_ = nullptr;
  OstDllUnregisterServer unregister_ = nullptr;
  OstDllGetClassObject get_class_object_ = nullptr;
  OstDllCanUnloadNow can_unload_now_ = nullptr;
};

// A new object of the class registered as `prog_id` in the registry at `registry`: the library
// and class id come from the registry. Fails, naming the class, when it is not registered or
// its library cannot make it.
template <class T>
Result<ComPtr<T>> CreateByName(std::string_view prog_id, const std::filesystem::path& registry) {
  Result<ClassRegistration> found = FindClass(registry, prog_id);
  if (!found) return found.error();
  Result<ComponentLibrary> library = ComponentLibrary::Open(found->library);
  if (!library) return library.error();
  return library->Create<T>(found->clsid);
}

}  // namespace ostrevin

#endif  // OSTREVIN_CLIENT_COMPONENT_LOADER_H_
