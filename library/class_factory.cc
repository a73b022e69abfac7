#include "library/class_factory.h"

#include "library/data_object.h"
#include "library/dispatch_plumbing.h"
#include "library/guard.h"
#include "library/info_object.h"
#include "library/module.h"
#include "library/single_interface_object.h"

namespace ostrevin {
namespace {

class ClassFactory final : public SingleInterfaceObject<IOstClassFactory> {
 public:
  explicit ClassFactory(bool data) : data_(data) {}

  OstStatus CreateInstance(IOstUnknown* outer, const OstGuid& iid, void** object) override {
    return Guarded(nullptr, nullptr, [&] {
      *Required(object) = nullptr;
      if (outer != nullptr) return kOstNoAggregation;
      IOstUnknown* created =
          data_ ? static_cast<IOstUnknown*>(static_cast<IOstClsData*>(new DataObject()))
                : static_cast<IOstUnknown*>(static_cast<IOstClsInfo*>(new InfoObject()));
      const OstStatus status = created->QueryInterface(iid, object);
      created->Release();
      return status;
    });
  }

  OstStatus LockServer(std::int32_t lock) override {
    if (lock != 0) {
      LockLibrary();
      return kOstOk;
    }
    return UnlockLibrary() ? kOstOk : kOstInvalidArg;
  }

 private:
  ~ClassFactory() override = default;

  bool data_;
};

}  // namespace

IOstClassFactory* NewClassFactory(const OstGuid& clsid) {
  if (clsid == kClsidClsData) return new ClassFactory(true);
  if (clsid == kClsidClsInfo) return new ClassFactory(false);
  return nullptr;
}

}  // namespace ostrevin
