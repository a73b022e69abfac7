#ifndef OSTREVIN_VALUES_NUMERIC_TEXT_H_
#define OSTREVIN_VALUES_NUMERIC_TEXT_H_

#include <optional>
#include <string_view>

namespace ostrevin {

// The value of a numeric text: optional blanks, an optional sign, digits with an optional decimal
// part and an optional exponent, optional blanks. Empty or anything else gives nullopt.
std::optional<double> ParseNumericText(std::string_view text);

// The value of the longest number at the start of the text, leading blanks ignored; 0 when the
// text does not begin with a number ("12abc" gives 12, "abc" and "" give 0).
double LeadingNumberValue(std::string_view text);

std::string_view TrimBlanks(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace ostrevin

#endif  // OSTREVIN_VALUES_NUMERIC_TEXT_H_
