#include "library/dispatch_plumbing.h"

#include <string>

namespace ostrevin {

Result<std::vector<Variant>> ReadArgs(const OstVariant* args, std::int32_t count) {
  if (count < 0)
    return Error(kOstErrWrongArguments, "Wrong number of arguments: " + std::to_string(count));
  if (count > 0) Required(args);
  std::vector<Variant> values;
  for (std::int32_t k = 0; k < count; ++k) {
    Result<Variant> value = ReadOstVariant(args[k]);
    if (!value) return value.error().WithContext("argument " + std::to_string(k + 1));
    values.push_back(std::move(value).value());
  }
  return values;
}

OstStatus LookUpName(LastError& last, const char* name, std::int32_t* dispid, OstErrorInfo* error,
                     std::optional<std::int32_t> (*lookup)(std::string_view)) {
  return Guarded(&last, error, [&] {
    *Required(dispid) = -1;
    std::optional<std::int32_t> found = lookup(Required(name));
    if (found) {
      *dispid = *found;
      return kOstOk;
    }
    const Error unknown(kOstErrNoSuchMember,
                        "Object doesn't support this property or method: " + std::string(name));
    Failed(unknown, &last, error);
    return kOstUnknownName;
  });
}

OstStatus HandOut(IOstUnknown* found, void** object) {
  if (object == nullptr) return kOstPointer;
  *object = found;
  if (found == nullptr) return kOstNoInterface;
  found->AddRef();
  return kOstOk;
}

}  // namespace ostrevin
