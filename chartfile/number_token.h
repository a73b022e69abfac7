#ifndef OSTREVIN_CHARTFILE_NUMBER_TOKEN_H_
#define OSTREVIN_CHARTFILE_NUMBER_TOKEN_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace ostrevin {

// The common numbers of a chart file straight from their text, as the detailed reader converts
// them: a Single that is a plain float (not the largest, not so small that it underflows), a whole
// number for an Integer or a Long. False for any other text, which takes the general way; T is
// float, std::int16_t or std::int32_t.
template <class T>
bool ReadNumberQuickly(std::string_view token, T& out);

// The Single that a plain decimal at `p` ("-12.375", "502") writes, without an exponent and with
// few enough digits that it converts exactly fast; `p` is moved past it. Nullopt for any other
// text, with `p` anywhere.
std::optional<float> ShortDecimalAt(const char*& p, const char* end);

// The same for a whole number of at most nine digits ("-12", "7") at `p`.
std::optional<std::int32_t> ShortWholeAt(const char*& p, const char* end);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_NUMBER_TOKEN_H_
