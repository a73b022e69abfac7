#ifndef OSTREVIN_CLIENT_DISPATCH_OBJECT_H_
#define OSTREVIN_CLIENT_DISPATCH_OBJECT_H_

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "abi/ostrevin_abi.h"
#include "client/com_ptr.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// A library object called by name, in our own values: Variants in and out, and every failure as
// an Error with the object's error number and message.
class DispatchObject {
 public:
  explicit DispatchObject(ComPtr<IOstDispatch> object) : object_(std::move(object)) {}

  // The dispatch id of a member name (any case); error 438 for an unknown name.
  Result<std::int32_t> IdOf(std::string_view name) const;

  // Invoke with `flags` (OstDispatchFlags) and `args` (indexes or arguments, then a put's value).
  Result<Variant> Invoke(std::int32_t dispid, std::uint16_t flags,
                         std::span<const Variant> args) const;
  Result<Variant> Get(std::int32_t dispid, std::span<const Variant> args = {}) const {
    return Invoke(dispid, kOstDispatchGet, args);
  }
  // Puts `value` at `indexes` (none for a property without indexes).
  Status Put(std::int32_t dispid, std::span<const Variant> indexes, const Variant& value) const;
  Status Call(std::int32_t dispid) const;
  // By name, for members a command calls once.
  Result<Variant> GetByName(std::string_view name) const;
  Status CallByName(std::string_view name) const;

  // The members of the object's type information, in its order. Their strings belong to the
  // library, which stays loaded (component_loader.h).
  Result<std::vector<OstMemberDesc>> Members() const;

  const ComPtr<IOstDispatch>& object() const { return object_; }

 private:
  ComPtr<IOstDispatch> object_;
};

// The members of a type.
Result<std::vector<OstMemberDesc>> MembersOf(IOstTypeInfo& type);

// A failed call's status and error description as an Error.
Error CallError(OstStatus status, const OstErrorInfo& error);

}  // namespace ostrevin

#endif  // OSTREVIN_CLIENT_DISPATCH_OBJECT_H_
