#include "chart/chart_members.h"

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

}  // namespace

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
