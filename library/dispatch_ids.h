#ifndef OSTREVIN_LIBRARY_DISPATCH_IDS_H_
#define OSTREVIN_LIBRARY_DISPATCH_IDS_H_

// The dispatch ids of the members of _clsData and _clsInfo, all from the member tables:
//   members.def row k             1 + k
//   its whole-array member         1001 + k
//   cls_data_methods.def row k     2001 + k
//   cls_info.def row k             1 + k   (of _clsInfo)

#include <cstdint>
#include <optional>
#include <string_view>

#include "addon/cls_info.h"
#include "addon/members.h"

namespace ostrevin {

// One id per row of cls_data_methods.def.
enum class DataMethodId : std::uint8_t {
#define OSTREVIN_DATA_GET(Name, Type) Name,
#define OSTREVIN_DATA_PUT(Name, Type) Name,
#define OSTREVIN_DATA_METHOD(Name) Name,
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2) Name,
#include "addon/cls_data_methods.def"
};

inline constexpr std::int32_t kTableDispBase = 1;
inline constexpr std::int32_t kWholeDispBase = 1001;
inline constexpr std::int32_t kMethodDispBase = 2001;
inline constexpr std::int32_t kInfoDispBase = 1;

inline std::int32_t DispIdOf(MemberId id, bool whole) {
  return (whole ? kWholeDispBase : kTableDispBase) + static_cast<std::int32_t>(id);
}
inline std::int32_t DispIdOf(DataMethodId id) {
  return kMethodDispBase + static_cast<std::int32_t>(id);
}
inline std::int32_t DispIdOf(InfoMemberId id) {
  return kInfoDispBase + static_cast<std::int32_t>(id);
}

// A member of _clsData: a row of members.def (the indexed property, or its whole-array member
// when `whole`), or a row of cls_data_methods.def.
struct DataMemberRef {
  std::optional<MemberId> member;
  bool whole = false;
  std::optional<DataMethodId> method;
};

// The member of _clsData with that dispatch id, or nullopt.
std::optional<DataMemberRef> DecodeDataDispId(std::int32_t dispid);
std::optional<InfoMemberId> DecodeInfoDispId(std::int32_t dispid);

// The dispatch id of a member name, without regard to case, or nullopt.
std::optional<std::int32_t> DataDispIdOfName(std::string_view name);
std::optional<std::int32_t> InfoDispIdOfName(std::string_view name);

// The names as the tables spell them.
std::string_view DataMethodName(DataMethodId id);
std::string_view InfoMemberName(InfoMemberId id);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_DISPATCH_IDS_H_
