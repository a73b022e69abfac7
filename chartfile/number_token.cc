// Numbers of a chart file read from their text without the double that the general way parses
// first.

#include "chartfile/number_token.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>

namespace ostrevin {
namespace {

// The shape of a JSON number, -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?: how many digits
// its whole part has and whether it has a fraction or an exponent; nullopt when it is none.
struct NumberShape {
  std::size_t whole_digits = 0;
  bool whole = true;
};
std::optional<NumberShape> ShapeOfNumber(std::string_view t) {
  NumberShape shape;
  std::size_t k = 0;
  auto digits = [&] {
    const std::size_t from = k;
    while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
    return k - from;
  };
  if (k < t.size() && t[k] == '-') ++k;
  if (k < t.size() && t[k] == '0') {
    ++k;
    shape.whole_digits = 1;
  } else if ((shape.whole_digits = digits()) == 0) {
    return std::nullopt;
  }
  if (k < t.size() && t[k] == '.') {
    ++k;
    shape.whole = false;
    if (digits() == 0) return std::nullopt;
  }
  if (k < t.size() && (t[k] == 'e' || t[k] == 'E')) {
    ++k;
    shape.whole = false;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    if (digits() == 0) return std::nullopt;
  }
  if (k != t.size()) return std::nullopt;
  return shape;
}

}  // namespace

// A Single as most chart files write it, "-12.375" or "10.3588505", straight from its text: when
// its digits make a whole number of at most 2^53 and at most 22 of them follow the point, that
// number and the power of ten are exact doubles, and one division rounds their quotient to the
// nearest double. Rounding that double to a float gives the float nearest to the text unless the
// double lies exactly halfway between two floats (the text may lie to either side of it): those,
// an exponent, more digits and -0 are nullopt and take the general way.
std::optional<float> ShortDecimalAt(const char*& p, const char* end) {
  static constexpr double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  // The digits on both sides of the point make one whole number; past nineteen digits it may
  // have wrapped around, and such a text is refused below.
  std::uint64_t digits = 0;
  auto take_digits = [&] {
    const char* from = p;
    for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned{'0'}) < 10; ++p)
      digits = digits * 10 + d;
    return p - from;
  };
  const char* whole_from = p;
  const auto whole = take_digits();
  if (whole == 0 || (whole > 1 && *whole_from == '0')) return std::nullopt;
  std::ptrdiff_t after_point = 0;
  if (p != end && *p == '.') {
    ++p;
    after_point = take_digits();
    if (after_point == 0) return std::nullopt;
  }
  if (whole + after_point > 19 || digits > (std::uint64_t{1} << 53) || after_point > 22)
    return std::nullopt;
  if (negative && digits == 0) return std::nullopt;  // "-0" is the integer 0; "-0.0" is not
  const double d = static_cast<double>(digits) / kTens[after_point];
  // A double halfway between two floats has a one and 28 zeros where the float's bits end.
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  if ((std::bit_cast<std::uint64_t>(d) & kBelowFloat) == (std::uint64_t{1} << 28))
    return std::nullopt;
  const float f = static_cast<float>(d);
  return negative ? -f : f;
}

namespace {

std::optional<float> ShortDecimal(std::string_view t) {
  const char* p = t.data();
  std::optional<float> f = ShortDecimalAt(p, t.data() + t.size());
  return p == t.data() + t.size() ? f : std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ShortWholeAt(const char*& p, const char* end) {
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const from = p;
  std::uint32_t n = 0;  // wraps around past nine digits, which are refused below
  for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned{'0'}) < 10; ++p)
    n = n * 10 + d;
  const auto digits = p - from;
  if (digits == 0 || digits > 9 || (digits > 1 && *from == '0')) return std::nullopt;
  const auto whole = static_cast<std::int32_t>(n);
  return negative ? -whole : whole;
}

namespace {

std::optional<std::int32_t> ShortWhole(std::string_view t) {
  const char* p = t.data();
  std::optional<std::int32_t> n = ShortWholeAt(p, t.data() + t.size());
  return p == t.data() + t.size() ? n : std::nullopt;
}

}  // namespace

template <class T>
bool ReadNumberQuickly(std::string_view token, T& out) {
  if constexpr (std::is_same_v<T, float>) {
    if (std::optional<float> f = ShortDecimal(token)) {
      out = *f;
      return true;
    }
  } else {
    if (std::optional<std::int32_t> n = ShortWhole(token)) {
      if (*n < std::numeric_limits<T>::min() || *n > std::numeric_limits<T>::max()) return false;
      out = static_cast<T>(*n);
      return true;
    }
  }
  const std::optional<NumberShape> shape = ShapeOfNumber(token);
  if (!shape) return false;
  const char* end = token.data() + token.size();
  if constexpr (std::is_same_v<T, float>) {
    // Above 15 digits the general way rounds a whole number twice, through a double.
    if (shape->whole && shape->whole_digits > 15) return false;
    float f = 0;
    auto [read_to, ec] = std::from_chars(token.data(), end, f);
    if (ec != std::errc() || read_to != end || std::fabs(f) == FLT_MAX) return false;
    if (f == 0 && token[0] == '-') return false;  // "-0" is the integer 0; "-0.0" is not
    out = f;
    return true;
  } else {
    if (!shape->whole) return false;
    std::int64_t n = 0;
    auto [read_to, ec] = std::from_chars(token.data(), end, n);
    if (ec != std::errc() || read_to != end || n < std::numeric_limits<T>::min() ||
        n > std::numeric_limits<T>::max())
      return false;
    out = static_cast<T>(n);
    return true;
  }
}

template bool ReadNumberQuickly(std::string_view, float&);
template bool ReadNumberQuickly(std::string_view, std::int16_t&);
template bool ReadNumberQuickly(std::string_view, std::int32_t&);

}  // namespace ostrevin
