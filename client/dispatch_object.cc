#include "client/dispatch_object.h"

#include <string>

#include "abi/abi_values.h"

namespace ostrevin {
Error CallError(OstStatus status, const OstErrorInfo& error) {
  Result<std::string> message = ReadOstString(error.description);
  if (message && !message->empty()) return Error(error.number, *message);
  return Error::InvalidInput("the library failed: " + StatusText(status));
}

Result<std::int32_t> DispatchObject::IdOf(std::string_view name) const {
  OwnedOstErrorInfo error;
  std::int32_t dispid = -1;
  const OstStatus status = object_->GetIDsOfNames(std::string(name).c_str(), &dispid, error.get());
  if (!OstSucceeded(status)) return CallError(status, *error.get());
  return dispid;
}

Result<Variant> DispatchObject::Invoke(std::int32_t dispid, std::uint16_t flags,
                                       std::span<const Variant> args) const {
  LentOstArguments list(args);
  OwnedOstVariant result;
  OwnedOstErrorInfo error;
  const OstStatus status =
      object_->Invoke(dispid, flags, list.data(), list.size(), result.get(), error.get());
  if (!OstSucceeded(status)) return CallError(status, *error.get());
  return ReadOstVariant(*result);
}

Status DispatchObject::Put(std::int32_t dispid, std::span<const Variant> indexes,
                           const Variant& value) const {
  std::vector<Variant> args(indexes.begin(), indexes.end());
  args.push_back(value);
  Result<Variant> done = Invoke(dispid, kOstDispatchPut, args);
  if (!done) return done.error();
  return Ok{};
}

Status DispatchObject::Call(std::int32_t dispid) const {
  Result<Variant> done = Invoke(dispid, kOstDispatchMethod, {});
  if (!done) return done.error();
  return Ok{};
}

Result<Variant> DispatchObject::GetByName(std::string_view name) const {
  Result<std::int32_t> dispid = IdOf(name);
  if (!dispid) return dispid.error();
  return Get(*dispid);
}

Status DispatchObject::CallByName(std::string_view name) const {
  Result<std::int32_t> dispid = IdOf(name);
  if (!dispid) return dispid.error();
  return Call(*dispid);
}

Result<std::vector<OstMemberDesc>> DispatchObject::Members() const {
  ComPtr<IOstTypeInfo> type;
  const OstStatus status = object_->GetTypeInfo(type.Receive());
  if (!OstSucceeded(status) || !type)
    return Error::InvalidInput("the object has no type information: " + StatusText(status));
  return MembersOf(*type.get());
}

Result<std::vector<OstMemberDesc>> MembersOf(IOstTypeInfo& type) {
  OstTypeAttr attr{};
  OstStatus status = type.GetTypeAttr(&attr);
  if (!OstSucceeded(status))
    return Error::InvalidInput("cannot read type information: " + StatusText(status));
  std::vector<OstMemberDesc> members(attr.member_count);
  for (std::int32_t k = 0; k < attr.member_count; ++k) {
    status = type.GetMemberDesc(k, &members[static_cast<std::size_t>(k)]);
    if (!OstSucceeded(status))
      return Error::InvalidInput("cannot read type information: " + StatusText(status));
  }
  return members;
}

}  // namespace ostrevin
