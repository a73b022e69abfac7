#include "library/dispatch_ids.h"

#include <iterator>

#include "values/numeric_text.h"

namespace ostrevin {
namespace {

constexpr std::string_view kMethodNames[] = {
#define OSTREVIN_DATA_GET(Name, Type) #Name,
#define OSTREVIN_DATA_PUT(Name, Type) #Name,
#define OSTREVIN_DATA_METHOD(Name) #Name,
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2) #Name,
#include "addon/cls_data_methods.def"
};

constexpr std::string_view kInfoNames[] = {
#define OSTREVIN_INFO(Name, Type, Value) #Name,
#include "addon/cls_info.def"
};

// The row of `names` spelled `name` in any case.
template <std::size_t N>
std::optional<std::size_t> RowOf(const std::string_view (&names)[N], std::string_view name) {
  for (std::size_t k = 0; k < N; ++k) {
    if (EqualsIgnoreCase(names[k], name)) return k;
  }
  return std::nullopt;
}

bool InRange(std::int32_t dispid, std::int32_t base, std::size_t count) {
  return dispid >= base && dispid - base < static_cast<std::int32_t>(count);
}

}  // namespace

std::optional<DataMemberRef> DecodeDataDispId(std::int32_t dispid) {
  const std::size_t rows = AllMembers().size();
  if (InRange(dispid, kTableDispBase, rows))
    return DataMemberRef{static_cast<MemberId>(dispid - kTableDispBase), false, std::nullopt};
  if (InRange(dispid, kWholeDispBase, rows)) {
    const auto id = static_cast<MemberId>(dispid - kWholeDispBase);
    if (Info(id).kind != MemberKind::kReplaceable) return std::nullopt;
    return DataMemberRef{id, true, std::nullopt};
  }
  if (InRange(dispid, kMethodDispBase, std::size(kMethodNames)))
    return DataMemberRef{std::nullopt, false, static_cast<DataMethodId>(dispid - kMethodDispBase)};
  return std::nullopt;
}

std::optional<InfoMemberId> DecodeInfoDispId(std::int32_t dispid) {
  if (!InRange(dispid, kInfoDispBase, std::size(kInfoNames))) return std::nullopt;
  return static_cast<InfoMemberId>(dispid - kInfoDispBase);
}

std::optional<std::int32_t> DataDispIdOfName(std::string_view name) {
  if (std::optional<MemberLookup> found = FindMember(name))
    return DispIdOf(found->id, found->whole);
  if (std::optional<std::size_t> row = RowOf(kMethodNames, name))
    return DispIdOf(static_cast<DataMethodId>(*row));
  return std::nullopt;
}

std::optional<std::int32_t> InfoDispIdOfName(std::string_view name) {
  if (std::optional<std::size_t> row = RowOf(kInfoNames, name))
    return DispIdOf(static_cast<InfoMemberId>(*row));
  return std::nullopt;
}

std::string_view DataMethodName(DataMethodId id) {
  return kMethodNames[static_cast<std::size_t>(id)];
}

std::string_view InfoMemberName(InfoMemberId id) {
  return kInfoNames[static_cast<std::size_t>(id)];
}

}  // namespace ostrevin
