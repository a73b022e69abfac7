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

[[noreturn]] void Unsupported(std::string_view name, std::string_view access) {
  throw Error(kOstErrNoSuchMember, "Object doesn't support this property or method: " +
                                       std::string(name) + " " + std::string(access));
}

std::string Count(std::size_t n, std::string_view what) {
  return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : what == "index" ? "es" : "s");
}

void ExpectArgs(std::string_view name, std::span<const Variant> args, std::size_t lo,
                std::size_t hi, std::string_view what) {
  if (args.size() >= lo && args.size() <= hi) return;
  throw Error(kOstErrWrongArguments,
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

Access Classify(std::string_view name, std::uint16_t flags, std::span<const Variant> args) {
  if (IsPut(flags)) return {flags, args.first(args.empty() ? 0 : args.size() - 1), true};
  if (IsGet(flags)) return {flags, args, false};
  Unsupported(name, "with no kind of access");
}

std::vector<std::int32_t> Indexes(std::string_view name, std::span<const Variant> args) {
  std::vector<std::int32_t> indexes;
  for (const Variant& arg : args)
    indexes.push_back(arg.ToLong(std::string(name) + " index").ValueOrThrow());
  return indexes;
}

Variant InvokeScalar(clsData& data, MemberId id, std::uint16_t flags,
                     std::span<const Variant> args) {
  const std::string_view name = Info(id).name;
  ExpectArgs(name, args, IsPut(flags) ? 1 : 0, IsPut(flags) ? 1 : 0, "argument");
  Access access = Classify(name, flags, args);
  if (!access.put) return data.GetScalar(id);
  data.PutScalar(id, args.back()).ValueOrThrow();
  return Variant();
}

Variant InvokeIndexed(clsData& data, MemberId id, std::uint16_t flags,
                      std::span<const Variant> args) {
  const std::string_view name = Info(id).name;
  Access access = Classify(name, flags, args);
  if (!access.put && args.empty()) return Variant(data.Array(id));
  // One or two indexes: a count that does not fit the array is the container's error 9.
  ExpectArgs(name, access.args, 1, 2, "index");
  const std::vector<std::int32_t> indexes = Indexes(name, access.args);
  if (!access.put) return data.GetElement(id, indexes).ValueOrThrow();
  data.PutElement(id, indexes, args.back()).ValueOrThrow();
  return Variant();
}

Variant InvokeWhole(clsData& data, MemberId id, std::uint16_t flags, std::span<Variant> args) {
  const std::string_view name = Info(id).quick;
  ExpectArgs(name, args, IsPut(flags) ? 1 : 0, IsPut(flags) ? 1 : 0, "argument");
  Access access = Classify(name, flags, args);
  if (!access.put) return Variant(data.Array(id));
  data.PutWholeArray(id, std::move(args.back())).ValueOrThrow();
  return Variant();
}

Variant InvokeTable(clsData& data, MemberId id, bool whole, std::uint16_t flags,
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
  Unsupported(Info(id).name, "");
}

// Requires the access `get` (else a put) with `count` arguments before the put's value.
void Expect(DataMethodId id, std::uint16_t flags, std::span<const Variant> args, bool get,
            std::size_t count) {
  const std::string_view name = DataMethodName(id);
  if (get && !IsGet(flags)) Unsupported(name, "cannot be set");
  if (!get && !IsPut(flags)) Unsupported(name, "cannot be read");
  const std::size_t total = count + (get ? 0 : 1);
  ExpectArgs(name, args, total, total, "argument");
}

Variant InvokeMethod(clsData& data, DataMethodId id, std::uint16_t flags,
                     std::span<const Variant> args) {
  switch (id) {
#define OSTREVIN_DATA_GET(Name, Type) \
  case DataMethodId::Name:            \
    Expect(id, flags, args, true, 0); \
    return Variant(data.Name());
#define OSTREVIN_DATA_PUT(Name, Type)                       \
  case DataMethodId::Name:                                  \
    Expect(id, flags, args, false, 0);                      \
    data.Set##Name(args[0].To##Type(#Name).ValueOrThrow()); \
    return Variant();
#define OSTREVIN_DATA_METHOD(Name)    \
  case DataMethodId::Name:            \
    Expect(id, flags, args, true, 0); \
    data.Name();                      \
    return Variant();
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2)  \
  case DataMethodId::Name:                                            \
    Expect(id, flags, args, true, 2);                                 \
    return Variant(data.Name(args[0].To##Type1(#Arg1).ValueOrThrow(), \
                             args[1].To##Type2(#Arg2).ValueOrThrow()));
#include "addon/cls_data_methods.def"
  }
  Unsupported(DataMethodName(id), "");
}

}  // namespace

Variant InvokeData(clsData& data, std::int32_t dispid, std::uint16_t flags,
                   std::span<Variant> args) {
  std::optional<DataMemberRef> ref = DecodeDataDispId(dispid);
  if (!ref) Unsupported("member #" + std::to_string(dispid), "of clsData");
  if (ref->method) return InvokeMethod(data, *ref->method, flags, args);
  return InvokeTable(data, *ref->member, ref->whole, flags, args);
}

Variant InvokeInfo(std::int32_t dispid, std::uint16_t flags, std::span<const Variant> args) {
  std::optional<InfoMemberId> id = DecodeInfoDispId(dispid);
  if (!id) Unsupported("member #" + std::to_string(dispid), "of clsInfo");
  const std::string_view name = InfoMemberName(*id);
  if (!IsGet(flags)) Unsupported(name, "cannot be set");
  ExpectArgs(name, args, 0, 0, "argument");
  return clsInfo::Get(*id);
}

}  // namespace ostrevin
