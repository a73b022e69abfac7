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

MemberId IdOf(const ChartAccess::Member& member) {
  return static_cast<MemberId>(member.id);
}

}  // namespace

InProcessChart::InProcessChart(clsData& data) : ChartAccess(TableMembers()), data_(&data) {}

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
