#ifndef OSTREVIN_CHARTFILE_PLAIN_LIST_H_
#define OSTREVIN_CHARTFILE_PLAIN_LIST_H_

// Most of a chart file is long lists of plain values: numbers without exponents, true and false,
// texts without escapes. Such a list is read here straight from the text, faster than walking it
// value by value with the parser; any other list is left to the parser.

#include <cstddef>
#include <string_view>
#include <vector>

namespace ostrevin {

// The items of the list (rank 1) or list of equal lists (rank 2) that `text` starts with ('['),
// flat, when every item is plain and reads as T (float, std::int16_t, std::int32_t, unsigned char
// for a Boolean, std::string); `rows` counts the lists of a rank 2 list, `columns` their length
// (left as it is when there are none), `length` the bytes of text the list takes. False, with
// `items` in any state, for anything else. REQUIRES: `text` is UTF-8 (strings are taken as
// they stand).
template <class T>
bool ReadPlainList(std::string_view text, int rank, std::vector<T>& items, std::size_t& rows,
                   std::size_t& columns, std::size_t& length);

// One plain value at the start of `text` (blanks before it skipped) read as T, as a list's item
// is; `length`, the bytes up to its end.
template <class T>
bool ReadPlainScalar(std::string_view text, T& out, std::size_t& length);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_PLAIN_LIST_H_
