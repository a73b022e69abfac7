#ifndef OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_
#define OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_

#include <cstdint>
#include <string_view>

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

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_CHART_FILE_FORMAT_H_
