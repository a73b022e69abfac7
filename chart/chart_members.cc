#include "chart/chart_members.h"

#include "chartfile/chart_file.h"

#include <span>

namespace ostrevin {
namespace {

template <class Stored, class T>
Variant List(VarType type, const std::vector<T>& values) {
  VArray array(type, {Bounds{0, static_cast<std::int32_t>(values.size()) - 1}});
  std::span<Stored> storage = array.MutableElements<Stored>();
  for (std::size_t i = 0; i < values.size(); ++i) storage[i] = values[i];
  return Variant(std::move(array));
}

template <class Stored, class T>
Variant Pairs(VarType type, const std::vector<std::array<T, 2>>& rows) {
  VArray array(type, {Bounds{0, static_cast<std::int32_t>(rows.size()) - 1}, Bounds{0, 1}});
  std::span<Stored> storage = array.MutableElements<Stored>();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t g = 0; g < 2; ++g) storage[2 * i + g] = rows[i][g];
  }
  return Variant(std::move(array));
}

}  // namespace

Variant IntegerList(const std::vector<std::int16_t>& values) {
  return List<std::int16_t>(VarType::Integer, values);
}
Variant SingleList(const std::vector<float>& values) {
  return List<float>(VarType::Single, values);
}
Variant StringList(std::vector<std::string> values) {
  const auto last = static_cast<std::int32_t>(values.size()) - 1;
  return Variant(VArray(VarType::String, {Bounds{0, last}}, std::move(values)));
}
Variant SinglePairs(const std::vector<std::array<float, 2>>& rows) {
  return Pairs<float>(VarType::Single, rows);
}

namespace {

std::vector<NamedValue> Named(const ChartMembers& members) {
  std::vector<NamedValue> named;
  named.reserve(members.size());
  for (const ChartMember& m : members) named.push_back({Info(m.id).name, &m.value});
  return named;
}

}  // namespace

Result<std::string> ChartFileText(const ChartMembers& members) {
  return WrappedChartFileText(Named(members));
}

Status WriteChartFileText(const ChartMembers& members, const TextSink& sink) {
  return WriteWrappedChartFileText(Named(members), sink);
}

}  // namespace ostrevin
