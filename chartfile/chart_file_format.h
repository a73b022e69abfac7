#ifndef OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_
#define OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "chartfile/chart_access.h"
#include "values/variant.h"

// Rules of the chart-file format that its reader and writer share (grammar in chart_file.cc).

namespace ostrevin {

// Keys of the object that gives a whole array with explicit bounds or element type.
inline constexpr std::string_view kLboundKey = "lbound";
inline constexpr std::string_view kTypeKey = "type";
inline constexpr std::string_view kValuesKey = "values";

// Element types a whole array may name under "type", by their VarTypeName.
inline constexpr VarType kElementTypes[] = {VarType::Integer, VarType::Long,   VarType::Single,
                                            VarType::Boolean, VarType::String, VarType::Variant};

// Tags of the numbers in a Variant array that are not Single: {"Integer": 3}, {"Long": 70000}.
inline constexpr std::string_view kIntegerTag = "Integer";
inline constexpr std::string_view kLongTag = "Long";

// A two-index whole array given without rows has no row to tell its second dimension; it takes
// the member's own second dimension, or none for a one-index member.
inline std::int32_t ColumnsWhenNoRows(const ChartAccess::Member& member) {
  return member.rank == 2 ? member.dims[1].count() : 0;
}

// The float nearest to `d`, or nullopt when that is beyond the largest float. Values a little
// above FLT_MAX still round to it: "3.4028235e+38", the shortest text of FLT_MAX, is one.
std::optional<float> NearestFloat(double d);

// The bounds of `count` places of a whole array from `lower`; refused, in the container's
// words, before anything is allocated when 16-bit places cannot address them.
Result<Bounds> PlaceBounds(const ChartAccess::Member& m, std::int64_t lower, std::size_t count);

// "5" or "5,1": the indexes of one element.
Result<std::vector<std::int32_t>> IndexesOf(std::string_view key);

// The handshake property a top-level key names, when the host may write it: "unknown member"
// for a key that names nothing, and a refusal that says so for a property the host may only
// read.
Result<const ChartAccess::Property*> WritableProperty(const ChartAccess& chart,
                                                      std::string_view key);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_
