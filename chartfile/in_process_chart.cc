#include "chartfile/in_process_chart.h"

#include "addon/members.h"
#include "chartfile/chart_file.h"
#include "chartfile/file_io.h"

namespace ostrevin {
namespace {

std::shared_ptr<const std::vector<ChartAccess::Member>> TableMembers() {
  static const auto members = [] {
    auto out = std::make_shared<std::vector<ChartAccess::Member>>();
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
      m.id = static_cast<std::int32_t>(out->size());
      m.whole_id = m.id;
      out->push_back(std::move(m));
    }
    return std::shared_ptr<const std::vector<ChartAccess::Member>>(std::move(out));
  }();
  return members;
}

// The handshake members of the container; only the ones without arguments can be named by a
// chart file.
std::shared_ptr<const std::vector<ChartAccess::Property>> TableProperties() {
  static const auto properties =
      std::make_shared<const std::vector<ChartAccess::Property>>(std::vector<ChartAccess::Property>{
#define OSTREVIN_DATA_GET(Name, Type) {#Name, VarType::Type, false},
#define OSTREVIN_DATA_PUT(Name, Type) {#Name, VarType::Type, true},
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2) {#Name, VarType::Type, false},
#include "addon/cls_data_methods.def"
      });
  return properties;
}

MemberId IdOf(const ChartAccess::Member& member) {
  return static_cast<MemberId>(member.id);
}

}  // namespace

InProcessChart::InProcessChart(clsData& data)
    : ChartAccess(TableMembers(), TableProperties()), data_(&data) {}

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
