#include "chartfile/in_process_chart.h"

#include "addon/members.h"
#include "chartfile/chart_file.h"
#include "chartfile/file_io.h"

namespace ostrevin {
namespace {

// The member table and the handshake members of the container, as one table for every
// container of the process. Only the handshake members without arguments can be named by a
// chart file.
std::shared_ptr<const ChartAccess::Table> ContainerTable() {
  static const auto table = [] {
    std::vector<ChartAccess::Member> members;
    for (const MemberInfo& info : AllMembers()) {
      ChartAccess::Member m;
      m.name = std::string(info.name);
      m.type = info.type;
      m.kind = info.kind == MemberKind::kScalar  ? ChartAccess::Member::Kind::kScalar
               : info.kind == MemberKind::kFixed ? ChartAccess::Member::Kind::kFixed
                                                 : ChartAccess::Member::Kind::kReplaceable;
      m.rank = info.rank;
      m.dims[0] = info.dims[0];
      m.dims[1] = info.dims[1];
      m.quick = std::string(info.quick);
      m.id = static_cast<std::int32_t>(members.size());
      m.whole_id = m.id;
      members.push_back(std::move(m));
    }
    std::vector<ChartAccess::Property> properties{
#define OSTREVIN_DATA_GET(Name, Type) {#Name, VarType::Type, false},
#define OSTREVIN_DATA_PUT(Name, Type) {#Name, VarType::Type, true},
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2) {#Name, VarType::Type, false},
#include "addon/cls_data_methods.def"
    };
    return std::make_shared<const ChartAccess::Table>(std::move(members), std::move(properties));
  }();
  return table;
}

MemberId IdOf(const ChartAccess::Member& member) {
  return static_cast<MemberId>(member.id);
}

}  // namespace

InProcessChart::InProcessChart(clsData& data) : ChartAccess(ContainerTable()), data_(&data) {}

Result<Variant> InProcessChart::GetScalar(const Member& member) const {
  return data_->GetScalar(IdOf(member));
}

Status InProcessChart::PutScalar(const Member& member, const Variant& value) {
  return data_->PutScalar(IdOf(member), value);
}

Result<Variant> InProcessChart::GetElement(const Member& member,
                                           std::span<const std::int32_t> indexes) const {
  return data_->GetElement(IdOf(member), indexes);
}

Status InProcessChart::PutElement(const Member& member, std::span<const std::int32_t> indexes,
                                  const Variant& value) {
  return data_->PutElement(IdOf(member), indexes, value);
}

Result<VArray> InProcessChart::GetArray(const Member& member) const {
  return data_->Array(IdOf(member));
}

const VArray* InProcessChart::LendArray(const Member& member) const {
  return &data_->Array(IdOf(member));
}

Status InProcessChart::PutWholeArray(const Member& member, const Variant& whole) {
  if (member.kind != Member::Kind::kReplaceable) return CannotReplaceWhole(member);
  return data_->PutWholeArray(IdOf(member), whole);
}

Status InProcessChart::PutProperty(const Property& property, const Variant& value) {
#define OSTREVIN_DATA_PUT(Name, Type)                         \
  if (property.name == #Name) {                               \
    Result<std::string> text = value.To##Type(property.name); \
    if (!text) return text.error();                           \
    data_->Set##Name(*text);                                  \
    return Ok{};                                              \
  }
#include "addon/cls_data_methods.def"
  return Error::InvalidInput(property.name + " cannot be set");
}

Result<clsData> ReadChartFile(const std::filesystem::path& path, Platform& platform) {
  Result<std::string> text = ReadTextFile(path);
  if (!text) return text.error();
  clsData data(platform);
  InProcessChart chart(data);
  if (Status applied = ApplyChartText(*text, path.string(), chart); !applied)
    return applied.error();
  return data;
}

}  // namespace ostrevin
