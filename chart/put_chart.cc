#include "chart/put_chart.h"

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

// Element by element from the member's first index, as a chart file's list fills a fixed array.
Status PutElements(clsData& data, MemberId id, const VArray& array) {
  const MemberInfo& info = Info(id);
  for (std::size_t flat = 0; flat < array.size(); ++flat) {
    std::vector<std::int32_t> at{info.dims[0].lower + static_cast<std::int32_t>(flat)};
    if (array.rank() == 2) {
      const auto columns = static_cast<std::size_t>(array.bounds(1).count());
      at = {info.dims[0].lower + static_cast<std::int32_t>(flat / columns),
            info.dims[1].lower + static_cast<std::int32_t>(flat % columns)};
    }
    if (Status put = data.PutElement(id, at, array.At(flat)); !put) return put;
  }
  return Ok{};
}

}  // namespace

Status PutChart(const ChartMembers& members, clsData& data) {
  for (const ChartMember& m : members) {
    const MemberInfo& info = Info(m.id);
    Status put = Ok{};
    if (info.kind == MemberKind::kScalar)
      put = data.PutScalar(m.id, m.value);
    else if (info.kind == MemberKind::kReplaceable)
      put = data.PutWholeArray(m.id, m.value);
    else if (m.value.IsArray())
      put = PutElements(data, m.id, m.value.array());
    else
      put = Error::TypeMismatch("a fixed array needs a list");
    if (!put) return put.error().WithContext(info.name);
  }
  return Ok{};
}

}  // namespace ostrevin
