#include "values/numeric_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace ostrevin {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at the start of `s` (sign, digits, fraction, exponent), 0 if none.
std::size_t NumberLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t exp_digits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++exp_digits;
    if (exp_digits > 0) i = j;
  }
  return i;
}

// from_chars gives no value when the number is beyond a double. Whether it overflows or
// underflows follows from the decimal exponent of its first significant digit ("0.000...1" is
// tiny, "1000...0e-10" may still be huge), so neither the exponent's sign nor its digits alone
// decide it.
double OutOfRangeValue(std::string_view number) {
  bool negative = number[0] == '-';
  if (negative) number.remove_prefix(1);
  std::size_t e = number.find_first_of("eE");
  std::string_view mantissa = number.substr(0, e);
  long long exponent = 0;
  if (e != number.npos) {
    std::string_view digits = number.substr(e + 1);
    bool negative_exponent = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);
    if (negative_exponent) exponent = -exponent;
  }
  std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  std::size_t first = mantissa.find_first_not_of("0.");
  if (first == mantissa.npos) return negative ? -0.0 : 0.0;
  long long magnitude = first < point ? static_cast<long long>(point - first) - 1
                                      : -static_cast<long long>(first - point);
  double value = magnitude + exponent > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

double ValueOf(std::string_view number) {
  if (!number.empty() && number[0] == '+') number.remove_prefix(1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  (void)ptr;
  return ec == std::errc::result_out_of_range ? OutOfRangeValue(number) : v;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::optional<double> ParseNumericText(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t n = NumberLength(text);
  if (n == 0 || n != text.size()) return std::nullopt;
  return ValueOf(text);
}

double LeadingNumberValue(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t n = NumberLength(text);
  return n == 0 ? 0.0 : ValueOf(text.substr(0, n));
}

}  // namespace ostrevin
