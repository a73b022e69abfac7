#include "chart/chart_members.h"

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

template <class T>
Variant List(VarType type, const std::vector<T>& values) {
  VArray array(type, {Bounds{0, static_cast<std::int32_t>(values.size()) - 1}});
  for (std::size_t i = 0; i < values.size(); ++i) array.Put(i, Variant(values[i])).ValueOrThrow();
  return Variant(std::move(array));
}

template <class T>
Variant Pairs(VarType type, const std::vector<std::array<T, 2>>& rows) {
  VArray array(type, {Bounds{0, static_cast<std::int32_t>(rows.size()) - 1}, Bounds{0, 1}});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t g = 0; g < 2; ++g) array.Put(2 * i + g, Variant(rows[i][g])).ValueOrThrow();
  }
  return Variant(std::move(array));
}

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

Variant IntegerList(const std::vector<std::int16_t>& values) {
  return List(VarType::Integer, values);
}
Variant SingleList(const std::vector<float>& values) {
  return List(VarType::Single, values);
}
Variant StringList(const std::vector<std::string>& values) {
  return List(VarType::String, values);
}
Variant SinglePairs(const std::vector<std::array<float, 2>>& rows) {
  return Pairs(VarType::Single, rows);
}
Variant BooleanPairs(const std::vector<std::array<bool, 2>>& rows) {
  return Pairs(VarType::Boolean, rows);
}

}  // namespace ostrevin
