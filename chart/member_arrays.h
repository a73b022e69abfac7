#ifndef OSTREVIN_CHART_MEMBER_ARRAYS_H_
#define OSTREVIN_CHART_MEMBER_ARRAYS_H_

// A chart's members read by their ids through the chart-file interface, and its arrays grown for
// new places.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "addon/members.h"
#include "chart/chart_members.h"
#include "chartfile/chart_access.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// Reads the members of a chart by their ids.
class ChartReader {
 public:
  explicit ChartReader(const ChartAccess& chart) : chart_(chart) {}

  Result<Variant> Scalar(MemberId id) const {
    Result<const ChartAccess::Member*> member = Member(id);
    if (!member) return member.error();
    return chart_.GetScalar(**member);
  }
  Result<std::int16_t> Integer(MemberId id) const {
    Result<Variant> value = Scalar(id);
    if (!value) return value.error();
    return value->ToInteger(Info(id).name);
  }
  Result<bool> Boolean(MemberId id) const {
    Result<Variant> value = Scalar(id);
    if (!value) return value.error();
    return value->ToBoolean(Info(id).name);
  }
  Result<VArray> Array(MemberId id) const {
    Result<const ChartAccess::Member*> member = Member(id);
    if (!member) return member.error();
    return chart_.GetArray(**member);
  }

 private:
  Result<const ChartAccess::Member*> Member(MemberId id) const {
    const std::optional<ChartAccess::Lookup> found = chart_.Find(Info(id).name);
    if (!found) return Error::InvalidInput("the chart has no member " + std::string(Info(id).name));
    return found->member;
  }

  const ChartAccess& chart_;
};

// One element of an array as a number or a text.
template <class T>
Result<T> Element(const VArray& array, std::size_t flat, std::string_view name) {
  const Variant value = array.At(flat);
  if constexpr (std::is_same_v<T, std::int16_t>) {
    return value.ToInteger(name);
  } else if constexpr (std::is_same_v<T, float>) {
    return value.ToSingle(name);
  } else if constexpr (std::is_same_v<T, bool>) {
    return value.ToBoolean(name);
  } else {
    return value.ToString(name);
  }
}

// A chart's array from index 0, grown to `rows` entries (rows of a two-index array) when it
// holds fewer, keeping its element type and everything it holds.
class GrownArray {
 public:
  static Result<GrownArray> Of(const ChartReader& chart, MemberId id, std::size_t rows);

  template <class T>
  Result<T> Get(std::size_t row, std::size_t column = 0) const {
    return Element<T>(array_, row * columns_ + column, Info(id_).name);
  }
  Status Put(std::size_t row, const Variant& value, std::size_t column = 0) {
    return array_.Put(row * columns_ + column, value, Info(id_).name);
  }
  ChartMember Member() && { return {id_, Variant(std::move(array_))}; }

 private:
  GrownArray(MemberId id, VArray array, std::size_t columns)
      : id_(id), array_(std::move(array)), columns_(columns) {}

  MemberId id_;
  VArray array_;
  std::size_t columns_;
};

// Entries first..first + count - 1 of a fixed array as a list, the last `extra` of them copies
// of the entry before.
template <class T>
Result<std::vector<T>> FixedList(const VArray& array, std::int32_t first, std::int32_t count,
                                 std::int32_t extra, std::string_view name) {
  std::vector<T> list;
  const std::int32_t lower = array.bounds(0).lower;
  for (std::int32_t k = first; k < first + count - extra; ++k) {
    Result<T> value = Element<T>(array, static_cast<std::size_t>(k - lower), name);
    if (!value) return value.error();
    list.push_back(*value);
  }
  for (std::int32_t k = 0; k < extra; ++k) list.push_back(list.back());
  return list;
}

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_MEMBER_ARRAYS_H_
