#include "addon/members.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <unordered_map>

#include "values/numeric_text.h"

namespace ostrevin {
namespace {

constexpr MemberInfo kMembers[] = {
#define OSTREVIN_SCALAR(Name, Type) {#Name, VarType::Type, MemberKind::kScalar, 0, {}, {}},
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) \
  {#Name, VarType::Type, MemberKind::kFixed, 1, {{Lo, Hi}, {}}, {}},
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) \
  {#Name, VarType::Type, MemberKind::kFixed, 2, {{Lo1, Hi1}, {Lo2, Hi2}}, {}},
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  {#Name, VarType::Type, MemberKind::kReplaceable, 1, {{Lo, Hi}, {}}, #Quick},
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  {#Name, VarType::Type, MemberKind::kReplaceable, 2, {{Lo1, Hi1}, {Lo2, Hi2}}, #Quick},
#include "addon/members.def"
};

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Lower-case name -> lookup, built once from the table.
const std::unordered_map<std::string, MemberLookup>& NameIndex() {
  static const auto* index = [] {
    auto* m = new std::unordered_map<std::string, MemberLookup>();
    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
      auto id = static_cast<MemberId>(i);
      m->emplace(Lower(kMembers[i].name), MemberLookup{id, false});
      if (!kMembers[i].quick.empty()) m->emplace(Lower(kMembers[i].quick), MemberLookup{id, true});
    }
    return m;
  }();
  return *index;
}

}  // namespace

std::span<const MemberInfo> AllMembers() {
  return kMembers;
}

const MemberInfo& Info(MemberId id) {
  return kMembers[static_cast<std::size_t>(id)];
}

std::optional<MemberLookup> FindMember(std::string_view name) {
  const auto& index = NameIndex();
  auto it = index.find(Lower(name));
  if (it == index.end()) return std::nullopt;
  return it->second;
}

}  // namespace ostrevin
