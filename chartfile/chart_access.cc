#include "chartfile/chart_access.h"

#include <algorithm>
#include <cctype>

namespace ostrevin {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

ChartAccess::Table::Table(std::vector<Member> members, std::vector<Property> properties)
    : members_(std::move(members)), properties_(std::move(properties)) {
  for (std::size_t k = 0; k < members_.size(); ++k) {
    const Member& m = members_[k];
    names_.emplace(Lower(m.name), std::pair(k, false));
    if (!m.quick.empty()) names_.emplace(Lower(m.quick), std::pair(k, true));
  }
}

ChartAccess::ChartAccess(std::shared_ptr<const Table> table) : table_(std::move(table)) {}

std::optional<ChartAccess::Lookup> ChartAccess::Find(std::string_view name) const {
  auto it = table_->names_.find(Lower(name));
  if (it == table_->names_.end()) return std::nullopt;
  return Lookup{&table_->members_[it->second.first], it->second.second};
}

const ChartAccess::Property* ChartAccess::FindProperty(std::string_view name) const {
  const std::string lower = Lower(name);
  for (const Property& property : table_->properties_) {
    if (Lower(property.name) == lower) return &property;
  }
  return nullptr;
}

std::string DescribeElement(std::string_view name, std::span<const std::int32_t> indexes) {
  std::string out(name);
  out += '(';
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    if (k > 0) out += ", ";
    out += std::to_string(indexes[k]);
  }
  out += ')';
  return out;
}

Error CannotReplaceWhole(const ChartAccess::Member& member) {
  return Error::TypeMismatch(member.name + " cannot be replaced whole");
}

}  // namespace ostrevin
