#include "library/dispatch.h"

#include <string>
#include <vector>

#include "abi/ostrevin_abi.h"
#include "addon/cls_info.h"
#include "library/dispatch_ids.h"

namespace ostrevin {
namespace {

bool IsPut(std::uint16_t flags) {
  return (flags & (kOstDispatchPut | kOstDispatchPutRef)) != 0;
}
// A call of a property reads it, as a host's late binding does for `x = obj.Name(1)`.
bool IsGet(std::uint16_t flags) {
  return !IsPut(flags) && (flags & (kOstDispatchGet | kOstDispatchMethod)) != 0;
}

Error Unsupported(std::string_view name, std::string_view access) {
  return Error(kOstErrNoSuchMember, "Object doesn't support this property or method: " +
                                        std::string(name) + " " + std::string(access));
}

std::string Count(std::size_t n, std::string_view what) {
  return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : what == "index" ? "es" : "s");
}

Status ExpectArgs(std::string_view name, std::span<const Variant> args, std::size_t lo,
                  std::size_t hi, std::string_view what) {
  if (args.size() >= lo && args.size() <= hi) return Ok{};
  return Error(kOstErrWrongArguments,
               "Wrong number of arguments or invalid property assignment: " + std::string(name) +
                   " takes " +
                   (lo == hi ? Count(lo, what) : std::to_string(lo) + " or " + Count(hi, what)) +
                   ", not " + std::to_string(args.size()));
}

// The access a member offers: a get (with `gets` arguments) and a put (with `gets` + 1).
struct Access {
  std::uint16_t flags;
  std::span<const Variant> args;
  bool put;
};

Result<Access> Classify(std::string_view name, std::uint16_t flags, std::span<const Variant> args) {
  if (IsPut(flags)) return Access{flags, args.first(args.empty() ? 0 : args.size() - 1), true};
  if (IsGet(flags)) return Access{flags, args, false};
  return Unsupported(name, "with no kind of access");
}

Result<std::vector<std::int32_t>> Indexes(std::string_view name, std::span<const Variant> args) {
  std::vector<std::int32_t> indexes;
  for (const Variant& arg : args) {
    Result<std::int32_t> index = arg.ToLong(std::string(name) + " index");
    if (!index) return index.error();
    indexes.push_back(*index);
  }
  return indexes;
}

// A put's outcome as the result of an Invoke: Empty, or the error.
Result<Variant> Done(Status put) {
  if (!put) return put.error();
  return Variant();
}

// The access of a member read or put whole: no argument, or the value put.
Result<Access> WholeAccess(std::string_view name, std::uint16_t flags,
                           std::span<const Variant> args) {
  const std::size_t count = IsPut(flags) ? 1 : 0;
  if (Status counted = ExpectArgs(name, args, count, count, "argument"); !counted)
    return counted.error();
  return Classify(name, flags, args);
}

Result<Variant> InvokeScalar(clsData& data, MemberId id, std::uint16_t flags,
                             std::span<const Variant> args) {
  Result<Access> access = WholeAccess(Info(id).name, flags, args);
  if (!access) return access.error();
  if (!access->put) return data.GetScalar(id);
  return Done(data.PutScalar(id, args.back()));
}

Result<Variant> InvokeIndexed(clsData& data, MemberId id, std::uint16_t flags,
                              std::span<const Variant> args) {
  const std::string_view name = Info(id).name;
  Result<Access> access = Classify(name, flags, args);
  if (!access) return access.error();
  if (!access->put && args.empty()) return Variant(data.Array(id));
  // One or two indexes: a count that does not fit the array is the container's error 9.
  if (Status counted = ExpectArgs(name, access->args, 1, 2, "index"); !counted)
    return counted.error();
  Result<std::vector<std::int32_t>> indexes = Indexes(name, access->args);
  if (!indexes) return indexes.error();
  if (!access->put) return data.GetElement(id, *indexes);
  return Done(data.PutElement(id, *indexes, args.back()));
}

Result<Variant> InvokeWhole(clsData& data, MemberId id, std::uint16_t flags,
                            std::span<Variant> args) {
  Result<Access> access = WholeAccess(Info(id).quick, flags, args);
  if (!access) return access.error();
  if (!access->put) return Variant(data.Array(id));
  return Done(data.PutWholeArray(id, std::move(args.back())));
}

Result<Variant> InvokeTable(clsData& data, MemberId id, bool whole, std::uint16_t flags,
                            std::span<Variant> args) {
  switch (id) {
#define OSTREVIN_SCALAR(Name, Type) \
  case MemberId::Name:              \
    return InvokeScalar(data, id, flags, args);
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) \
  case MemberId::Name:                     \
    return InvokeIndexed(data, id, flags, args);
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) \
  case MemberId::Name:                                  \
    return InvokeIndexed(data, id, flags, args);
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  case MemberId::Name:                            \
    return whole ? InvokeWhole(data, id, flags, args) : InvokeIndexed(data, id, flags, args);
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  case MemberId::Name:                                         \
    return whole ? InvokeWhole(data, id, flags, args) : InvokeIndexed(data, id, flags, args);
#include "addon/members.def"
  }
  return Unsupported(Info(id).name, "");
}

// Requires the access `get` (else a put) with `count` arguments before the put's value.
Status Expect(DataMethodId id, std::uint16_t flags, std::span<const Variant> args, bool get,
              std::size_t count) {
  const std::string_view name = DataMethodName(id);
  if (get && !IsGet(flags)) return Unsupported(name, "cannot be set");
  if (!get && !IsPut(flags)) return Unsupported(name, "cannot be read");
  const std::size_t total = count + (get ? 0 : 1);
  return ExpectArgs(name, args, total, total, "argument");
}

Result<Variant> InvokeMethod(clsData& data, DataMethodId id, std::uint16_t flags,
                             std::span<const Variant> args) {
  switch (id) {
#define OSTREVIN_EXPECT(get, count) \
  if (Status expected = Expect(id, flags, args, get, count); !expected) return expected.error();
#define OSTREVIN_ARG(k, Type, Name)                          \
  Result<OSTREVIN_CXX(Type)> Name = args[k].To##Type(#Name); \
  if (!Name) return Name.error();
#define OSTREVIN_DATA_GET(Name, Type) \
  case DataMethodId::Name: {          \
    OSTREVIN_EXPECT(true, 0)          \
    return Variant(data.Name());      \
  }
#define OSTREVIN_DATA_PUT(Name, Type) \
  case DataMethodId::Name: {          \
    OSTREVIN_EXPECT(false, 0)         \
    OSTREVIN_ARG(0, Type, Name)       \
    data.Set##Name(*Name);            \
    return Variant();                 \
  }
#define OSTREVIN_DATA_METHOD(Name)                                   \
  case DataMethodId::Name: {                                         \
    OSTREVIN_EXPECT(true, 0)                                         \
    OSTREVIN_RETURN_IF_ERROR(AsStatus([&] { return data.Name(); })); \
    return Variant();                                                \
  }
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2) \
  case DataMethodId::Name: {                                         \
    OSTREVIN_EXPECT(true, 2)                                         \
    OSTREVIN_ARG(0, Type1, Arg1)                                     \
    OSTREVIN_ARG(1, Type2, Arg2)                                     \
    return Variant(data.Name(*Arg1, *Arg2));                         \
  }
#include "addon/cls_data_methods.def"
#undef OSTREVIN_EXPECT
#undef OSTREVIN_ARG
  }
  return Unsupported(DataMethodName(id), "");
}

}  // namespace

Result<Variant> InvokeData(clsData& data, std::int32_t dispid, std::uint16_t flags,
                           std::span<Variant> args) {
  std::optional<DataMemberRef> ref = DecodeDataDispId(dispid);
  if (!ref) return Unsupported("member #" + std::to_string(dispid), "of clsData");
  if (ref->method) return InvokeMethod(data, *ref->method, flags, args);
  return InvokeTable(data, *ref->member, ref->whole, flags, args);
}

Result<Variant> InvokeInfo(std::int32_t dispid, std::uint16_t flags,
                           std::span<const Variant> args) {
  std::optional<InfoMemberId> id = DecodeInfoDispId(dispid);
  if (!id) return Unsupported("member #" + std::to_string(dispid), "of clsInfo");
  const std::string_view name = InfoMemberName(*id);
  if (!IsGet(flags)) return Unsupported(name, "cannot be set");
  if (Status counted = ExpectArgs(name, args, 0, 0, "argument"); !counted) return counted.error();
  return clsInfo::Get(*id);
}

}  // namespace ostrevin
