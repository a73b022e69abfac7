#include "client/chart_object.h"

#include "abi/abi_values.h"

namespace ostrevin {
namespace {

using Member = ChartAccess::Member;

std::optional<Member::Kind> ChartKind(std::uint16_t kind) {
  switch (kind) {
    case kOstMemberScalar:
      return Member::Kind::kScalar;
    case kOstMemberFixed:
      return Member::Kind::kFixed;
    case kOstMemberIndexed:
      return Member::Kind::kReplaceable;
    default:
      return std::nullopt;
  }
}

Result<Member> ChartMemberOf(const OstMemberDesc& d, Member::Kind kind) {
  std::optional<VarType> type = OurVarType(d.type);
  if (!type || d.name == nullptr || d.param_count > 2)
    return Error::InvalidInput("the chart container's type information is not readable");
  Member m;
  m.name = d.name;
  m.type = *type;
  m.kind = kind;
  m.rank = d.param_count;
  for (int k = 0; k < m.rank; ++k)
    m.dims[k] = Bounds{d.index_bounds[k].lower, d.index_bounds[k].upper};
  if (kind == Member::Kind::kReplaceable && d.companion != nullptr) m.quick = d.companion;
  m.id = d.dispid;
  return m;
}

std::vector<Variant> IndexValues(std::span<const std::int32_t> indexes) {
  return std::vector<Variant>(indexes.begin(), indexes.end());
}

}  // namespace

ChartObject::ChartObject(DispatchObject object, std::shared_ptr<const Table> table)
    : ChartAccess(std::move(table)), object_(std::move(object)) {}

Result<ChartObject> ChartObject::Create(ComPtr<IOstDispatch> object) {
  DispatchObject dispatch(std::move(object));
  Result<std::vector<OstMemberDesc>> descs = dispatch.Members();
  if (!descs) return descs.error();
  std::vector<Member> members;
  for (const OstMemberDesc& d : *descs) {
    std::optional<Member::Kind> kind = ChartKind(d.kind);
    if (!kind) continue;
    Result<Member> member = ChartMemberOf(d, *kind);
    if (!member) return member.error();
    members.push_back(std::move(member).value());
  }
  for (const OstMemberDesc& d : *descs) {
    if (d.kind != kOstMemberWholeArray || d.companion == nullptr) continue;
    for (Member& m : members) {
      if (m.name == d.companion) m.whole_id = d.dispid;
    }
  }
  if (members.empty()) return Error::InvalidInput("the object is no chart data container");
  std::vector<Property> properties;
  for (const OstMemberDesc& d : *descs) {
    std::optional<VarType> type = OurVarType(d.type);
    if (d.kind != kOstMemberProperty || d.name == nullptr || !type) continue;
    properties.push_back({d.name, *type, (d.access & kOstDispatchPut) != 0, d.dispid});
  }
  return ChartObject(std::move(dispatch),
                     std::make_shared<const Table>(std::move(members), std::move(properties)));
}

Result<Variant> ChartObject::GetScalar(const Member& member) const {
  return object_.Get(member.id);
}

Status ChartObject::PutScalar(const Member& member, const Variant& value) {
  return object_.Put(member.id, {}, value);
}

Result<Variant> ChartObject::GetElement(const Member& member,
                                        std::span<const std::int32_t> indexes) const {
  return object_.Get(member.id, IndexValues(indexes));
}

Status ChartObject::PutElement(const Member& member, std::span<const std::int32_t> indexes,
                               const Variant& value) {
  return object_.Put(member.id, IndexValues(indexes), value);
}

Result<VArray> ChartObject::GetArray(const Member& member) const {
  // An indexed property read without indexes gives its whole array (see 8. of the boundary's
  // conventions); the whole-array member of a replaceable one gives the same.
  Result<Variant> whole = object_.Get(member.id);
  if (!whole) return whole.error();
  if (!whole->IsArray()) return Error::TypeMismatch(member.name + " did not give an array");
  return whole->array();
}

Status ChartObject::PutWholeArray(const Member& member, const Variant& whole) {
  if (member.kind != Member::Kind::kReplaceable) return CannotReplaceWhole(member);
  return object_.Put(member.whole_id, {}, whole);
}

Status ChartObject::PutProperty(const Property& property, const Variant& value) {
  return object_.Put(property.id, {}, value);
}

}  // namespace ostrevin
