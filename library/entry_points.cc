// The library's four exported entry points. Each runs inside the guard (guard.h): whatever goes
// wrong inside becomes a status code.

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "abi/component_registry.h"
#include "abi/ostrevin_abi.h"
#include "library/class_factory.h"
#include "library/guard.h"
#include "library/module.h"
#include "values/version_info.h"

namespace ostrevin {
namespace {

// An object of this library, whose address tells dladdr which file the library was loaded from.
const char kAnchor = 0;

Result<std::filesystem::path> ThisLibrary() {
  Dl_info info{};
  if (::dladdr(&kAnchor, &info) == 0 || info.dli_fname == nullptr)
    return Error::InvalidInput("cannot tell where the library was loaded from");
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(info.dli_fname, error);
  if (error) return std::filesystem::absolute(info.dli_fname);
  return path;
}

Result<std::vector<ClassRegistration>> OurClasses() {
  OSTREVIN_ASSIGN_OR_RETURN(const std::filesystem::path library, ThisLibrary());
  const std::string version(kFileVersion);
  return std::vector<ClassRegistration>{
      {kProgIdClsInfo, kClsidClsInfo, library, kLibidOstrevin, version},
      {kProgIdClsData, kClsidClsData, library, kLibidOstrevin, version}};
}

OstStatus RegisterServer() {
  return Guarded(nullptr, nullptr, [] {
    const Result<std::vector<ClassRegistration>> classes = OurClasses();
    if (!classes) return Failed(classes.error(), nullptr, nullptr);
    return RegisterClasses(DefaultComponentRegistryPath(), *classes) ? kOstOk
                                                                     : kOstRegistrationFailed;
  });
}

OstStatus UnregisterServer() {
  return Guarded(nullptr, nullptr, [] {
    const std::string_view names[] = {kProgIdClsInfo, kProgIdClsData};
    return UnregisterClasses(DefaultComponentRegistryPath(), names) ? kOstOk
                                                                    : kOstRegistrationFailed;
  });
}

OstStatus GetClassObject(const OstGuid* clsid, const OstGuid* iid, void** factory) {
  return Guarded(nullptr, nullptr, [&] {
    *Required(factory) = nullptr;
    const OstGuid& wanted = *Required(iid);
    IOstClassFactory* made = NewClassFactory(*Required(clsid));
    if (made == nullptr) return kOstClassNotAvailable;
    const OstStatus status = made->QueryInterface(wanted, factory);
    made->Release();
    return status;
  });
}

}  // namespace
}  // namespace ostrevin

OST_EXPORT OstStatus DllRegisterServer(void) {
  return ostrevin::RegisterServer();
}

OST_EXPORT OstStatus DllUnregisterServer(void) {
  return ostrevin::UnregisterServer();
}

OST_EXPORT OstStatus DllGetClassObject(const OstGuid* clsid, const OstGuid* iid, void** factory) {
  return ostrevin::GetClassObject(clsid, iid, factory);
}

OST_EXPORT OstStatus DllCanUnloadNow(void) {
  return ostrevin::IsLibraryInUse() ? kOstFalse : kOstOk;
}
