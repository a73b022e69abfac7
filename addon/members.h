#ifndef OSTREVIN_ADDON_MEMBERS_H_
#define OSTREVIN_ADDON_MEMBERS_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "values/variant.h"

namespace ostrevin {

// C++ types of the host's types, for the accessors generated from members.def.
#define OSTREVIN_CXX(Type) OSTREVIN_CXX_##Type
#define OSTREVIN_CXX_Integer std::int16_t
#define OSTREVIN_CXX_Long std::int32_t
#define OSTREVIN_CXX_Single float
#define OSTREVIN_CXX_Boolean bool
#define OSTREVIN_CXX_String std::string

// One id per member of the container, in the order of members.def.
enum class MemberId : std::uint16_t {
#define OSTREVIN_SCALAR(Name, Type) Name,
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) Name,
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) Name,
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) Name,
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) Name,
#include "addon/members.def"
};

enum class MemberKind : std::uint8_t {
  kScalar,       // a plain value
  kFixed,        // an indexed property over a fixed array
  kReplaceable,  // an indexed property whose array the host may replace through `quick`
};

struct MemberInfo {
  std::string_view name;
  VarType type;
  MemberKind kind;
  int rank;                // 0 for scalars
  Bounds dims[2];          // initial bounds of each dimension
  std::string_view quick;  // the whole-array member, empty unless kReplaceable
};

// Every member, indexed by MemberId.
std::span<const MemberInfo> AllMembers();
const MemberInfo& Info(MemberId id);

// A member found by name, without regard to case. `whole` is true when the name was the
// whole-array member (QuickXData) rather than the indexed property (XData).
struct MemberLookup {
  MemberId id;
  bool whole;
};
std::optional<MemberLookup> FindMember(std::string_view name);

}  // namespace ostrevin

#endif  // OSTREVIN_ADDON_MEMBERS_H_
