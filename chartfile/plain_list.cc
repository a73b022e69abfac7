#include "chartfile/plain_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

#include "chartfile/number_token.h"
#include "chartfile/same_bytes.h"

namespace ostrevin {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// A cursor over the text that checks the brackets, commas and values it passes; the UTF-8 of the
// whole text is checked before any list is read.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  void SkipBlanks() {
    while (p_ != end_ && static_cast<unsigned char>(*p_) <= ' ' && IsBlank(*p_)) ++p_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (p_ == end_ || *p_ != c) return false;
    ++p_;
    return true;
  }
  bool AtEnd(char c) {
    SkipBlanks();
    return p_ != end_ && *p_ == c;
  }

  // One value, up to the comma or bracket after it.
  template <class T>
  bool Read(T& out) {
    SkipBlanks();
    const char* from = p_;
    if constexpr (std::is_same_v<T, std::string>) {
      if (p_ == end_ || *p_++ != '"') return false;
      from = p_;
      while (p_ != end_ && *p_ != '"') {
        if (*p_ == '\\' || static_cast<unsigned char>(*p_) < 0x20) return false;
        ++p_;
      }
      if (p_ == end_) return false;
      out.assign(from, static_cast<std::size_t>(p_++ - from));
      return true;
    } else if constexpr (std::is_same_v<T, unsigned char>) {
      // A number for a Boolean takes the parser's way. What follows a literal is checked by the
      // caller, as after every value: a comma or a bracket.
      if (Starts("true")) {
        out = 1;
      } else if (Starts("false")) {
        out = 0;
      } else {
        return false;
      }
      return true;
    } else {
      if constexpr (std::is_same_v<T, float>) {
        if (std::optional<float> f = ShortDecimalAt(p_, end_); f && !InNumber()) {
          out = *f;
          return true;
        }
        p_ = from;
      } else {
        if (std::optional<std::int32_t> n = ShortWholeAt(p_, end_);
            n && !InNumber() && *n >= std::numeric_limits<T>::min() &&
            *n <= std::numeric_limits<T>::max()) {
          out = static_cast<T>(*n);
          return true;
        }
        p_ = from;
      }
      while (InNumber()) ++p_;
      return ReadNumberQuickly(std::string_view(from, static_cast<std::size_t>(p_ - from)), out);
    }
  }

  const char* position() const { return p_; }
  // Passes over `text` when the cursor stands at a copy of it.
  bool Repeats(std::string_view text) {
    if (static_cast<std::size_t>(end_ - p_) < text.size() ||
        !SameBytes(p_, text.data(), text.size()))
      return false;
    p_ += text.size();
    return true;
  }

  // Passes over every whole copy of the `period` bytes before the cursor that follows them, in
  // one sweep of the bytes; returns how many copies it passed.
  std::size_t PassCopies(std::size_t period) {
    const char* q = p_;
    while (end_ - q >= 16 && SameEnds<std::uint64_t>(q, q - period, 16)) q += 16;
    while (q != end_ && *q == *(q - period)) ++q;
    const std::size_t copies = static_cast<std::size_t>(q - p_) / period;
    p_ += copies * period;
    return copies;
  }

  // PassCopies where the period is a separator and an item: a last copy that runs on into a
  // longer number or word is no copy ("1" is not copied in ", 1, 10").
  std::size_t PassItemCopies(std::size_t period) {
    std::size_t copies = PassCopies(period);
    if (copies > 0 && p_ != end_ && ContinuesToken(*p_)) {
      --copies;
      p_ -= period;
    }
    return copies;
  }

  // How many bytes of `text`, where the cursor started, it has passed.
  std::size_t Consumed(std::string_view text) const {
    return static_cast<std::size_t>(p_ - text.data());
  }

 private:
  template <std::size_t N>
  bool Starts(const char (&literal)[N]) {
    constexpr std::size_t kSize = N - 1;
    if (static_cast<std::size_t>(end_ - p_) < kSize || std::memcmp(p_, literal, kSize) != 0)
      return false;
    p_ += kSize;
    return true;
  }
  static bool ContinuesToken(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '-' || c == '+';
  }
  // Whether the character at the cursor may be part of a number's text.
  bool InNumber() const {
    if (p_ == end_) return false;
    const char c = *p_;
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
  }

  const char* p_;
  const char* end_;
};

// Whether two numbers or Booleans are stored alike. Texts are not compared: labels seldom repeat.
template <class T>
bool SameItem(const T& a, const T& b) {
  if constexpr (std::is_same_v<T, std::string>) {
    return false;
  } else {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
  }
}

// The items of one list up to its closing bracket; how many in `count`. An item that holds what
// the item before holds is passed over wherever it comes again with the same separator, all
// copies in one sweep: a chart's flags are mostly 1 place after place.
template <class T>
bool ReadItems(Cursor& at, std::vector<T>& items, std::size_t& count) {
  count = 0;
  if (!at.Take('[')) return false;
  if (at.Take(']')) return true;
  const char* item_end = nullptr;  // where the item before ended
  do {
    items.emplace_back();
    if (!at.Read(items.back())) return false;
    ++count;
    if (item_end != nullptr && SameItem(items[items.size() - 2], items.back())) {
      const std::size_t copies =
          at.PassItemCopies(static_cast<std::size_t>(at.position() - item_end));
      const T item = items.back();
      items.resize(items.size() + copies, item);
      count += copies;
    }
    item_end = at.position();
  } while (at.Take(','));
  return at.Take(']');
}

}  // namespace

template <class T>
bool ReadPlainList(std::string_view text, int rank, std::vector<T>& items, std::size_t& rows,
                   std::size_t& columns, std::size_t& length) {
  Cursor at(text);
  auto read = [&] {
    if (rank == 1) return ReadItems(at, items, rows);
    rows = 0;
    if (!at.Take('[')) return false;
    if (at.Take(']')) return true;
    std::string_view previous;           // the text of the row before, bracket to bracket
    const char* previous_end = nullptr;  // where the row before ended
    // Appends `copies` more copies of the last row's items, the copies made so far copied again
    // (a row of two Booleans copied row by row would take a call each).
    auto repeat_last_row = [&](std::size_t copies) {
      const auto from = static_cast<std::ptrdiff_t>(items.size() - columns);
      items.resize(items.size() + copies * columns);
      const auto row = items.begin() + from;
      const auto total = static_cast<std::ptrdiff_t>((copies + 1) * columns);
      for (std::ptrdiff_t made = static_cast<std::ptrdiff_t>(columns); made < total; made *= 2)
        std::copy_n(row, std::min(made, total - made), row + made);
      rows += copies;
    };
    do {
      if (!at.AtEnd('[')) return false;
      // The same text holds the same items, and rows repeat: a chart's lines at each place
      // mostly stay from place to place.
      if (!previous.empty() && at.Repeats(previous)) {
        repeat_last_row(1);
        // This row and its separator from the row before are passed over wherever they come
        // again, all copies in one sweep.
        const auto unit = static_cast<std::size_t>(at.position() - previous_end);
        const std::size_t copies = at.PassCopies(unit);
        repeat_last_row(copies);
        previous_end = at.position();
        continue;
      }
      const char* start = at.position();
      std::size_t row_length = 0;
      if (!ReadItems(at, items, row_length)) return false;
      if (++rows == 1) columns = row_length;
      if (row_length != columns) return false;
      previous = std::string_view(start, static_cast<std::size_t>(at.position() - start));
      previous_end = at.position();
    } while (at.Take(','));
    return at.Take(']');
  };
  if (!read()) return false;
  length = at.Consumed(text);
  return true;
}

template <class T>
bool ReadPlainScalar(std::string_view text, T& out, std::size_t& length) {
  Cursor at(text);
  if (!at.Read(out)) return false;
  length = at.Consumed(text);
  return true;
}

#define OSTREVIN_PLAIN(T)                                                                         \
  template bool ReadPlainList(std::string_view, int, std::vector<T>&, std::size_t&, std::size_t&, \
                              std::size_t&);                                                      \
  template bool ReadPlainScalar(std::string_view, T&, std::size_t&);
OSTREVIN_PLAIN(float)
OSTREVIN_PLAIN(std::int16_t)
OSTREVIN_PLAIN(std::int32_t)
OSTREVIN_PLAIN(unsigned char)
OSTREVIN_PLAIN(std::string)
#undef OSTREVIN_PLAIN

}  // namespace ostrevin
