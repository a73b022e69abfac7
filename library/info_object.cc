#include "library/info_object.h"

#include "addon/cls_info.h"
#include "library/dispatch.h"
#include "library/dispatch_ids.h"
#include "library/dispatch_plumbing.h"
#include "library/type_library.h"
#include "library/typed_values.h"

namespace ostrevin {

OstStatus InfoObject::QueryInterface(const OstGuid& iid, void** object) {
  const bool known =
      iid == IOstUnknown::kIid || iid == IOstDispatch::kIid || iid == IOstClsInfo::kIid;
  if (iid == IOstFalseAlarms::kIid) return HandOut(static_cast<IOstFalseAlarms*>(this), object);
  if (iid == IOstRunLengths::kIid) return HandOut(static_cast<IOstRunLengths*>(this), object);
  return HandOut(known ? static_cast<IOstClsInfo*>(this) : nullptr, object);
}

std::uint32_t InfoObject::Release() {
  const std::uint32_t left = refs_.Drop();
  if (left == 0) delete this;
  return left;
}

OstStatus InfoObject::GetTypeInfo(IOstTypeInfo** info) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(info);
    *target = NewTypeInfo(IOstClsInfo::kIid);
    return kOstOk;
  });
}

OstStatus InfoObject::GetIDsOfNames(const char* name, std::int32_t* dispid, OstErrorInfo* error) {
  return LookUpName(last_error_, name, dispid, error, InfoDispIdOfName);
}

OstStatus InfoObject::Invoke(std::int32_t dispid, std::uint16_t flags, const OstVariant* args,
                             std::int32_t arg_count, OstVariant* result, OstErrorInfo* error) {
  return InvokeGuarded(
      last_error_, args, arg_count, result, error,
      [&](std::span<const Variant> values) { return InvokeInfo(dispid, flags, values); });
}

OstStatus InfoObject::GetLastErrorInfo(OstErrorInfo* error) {
  return Guarded(nullptr, nullptr, [&] { return last_error_.CopyTo(error); });
}

#define OSTREVIN_INFO(Name, Type, Value)                      \
  OstStatus InfoObject::get_##Name(OST_ABI_OUT(Type) value) { \
    return Guarded(&last_error_, nullptr, [&] {               \
      Store(value, clsInfo::Name());                          \
      return kOstOk;                                          \
    });                                                       \
  }
#include "addon/cls_info.def"

}  // namespace ostrevin
