// Writes a container as a chart file (grammar in chart_file.cc): one member per line, in the
// order of the member table and the container's spelling, members still at their initial value
// left out. Singles are written as the shortest text that reads back to the same float.

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <span>

#include "chartfile/chart_file.h"
#include "chartfile/chart_file_format.h"
#include "chartfile/file_io.h"
#include "chartfile/same_bytes.h"
#include "platform/huge_pages.h"

namespace ostrevin {
namespace {

using Member = ChartAccess::Member;

// Length of the well-formed UTF-8 sequence at s[i], or 0 when there is none there.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  auto byte = [&](std::size_t k) -> unsigned {
    return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u;
  };
  auto follows = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
    return byte(k) >= lo && byte(k) <= hi;
  };
  const unsigned c = byte(0);
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return follows(1) ? 2 : 0;
  if (c == 0xE0) return follows(1, 0xA0) && follows(2) ? 3 : 0;
  if (c == 0xED) return follows(1, 0x80, 0x9F) && follows(2) ? 3 : 0;  // no surrogates
  if (c >= 0xE1 && c <= 0xEF) return follows(1) && follows(2) ? 3 : 0;
  if (c == 0xF0) return follows(1, 0x90) && follows(2) && follows(3) ? 4 : 0;
  if (c >= 0xF1 && c <= 0xF3) return follows(1) && follows(2) && follows(3) ? 4 : 0;
  if (c == 0xF4) return follows(1, 0x80, 0x8F) && follows(2) && follows(3) ? 4 : 0;
  return 0;
}

constexpr std::string_view kNotUtf8 = "text that is not UTF-8 cannot be written to a chart file";

// Whether `c` stands for itself in a JSON string and is a sequence of its own.
bool IsPlainAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
}

// Appends `text` as a JSON string; false when it is not UTF-8, which JSON cannot carry.
bool AppendString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    // A run of printable ASCII is taken as it is, without a check of each character's sequence.
    std::size_t plain = i;
    while (plain < text.size() && IsPlainAscii(text[plain])) ++plain;
    out.append(text, i, plain - i);
    i = plain;
    if (i == text.size()) break;
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      (out += '\\') += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      ((out += "\\u00") += kHex[c >> 4]) += kHex[c & 15];
    } else {
      std::size_t n = SequenceLength(text, i);
      if (n == 0) return false;
      out.append(text, i, n);
      i += n;
      continue;
    }
    ++i;
  }
  out += '"';
  return true;
}

void AppendNumber(std::string& out, std::int32_t n) {
  char buffer[16];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
  out.append(buffer, end);
}

// The shortest text that reads back to the same float; plain digits ("0.0005", not "5e-04")
// unless the value is very small or very large.
void AppendSingle(std::string& out, float f) {
  char buffer[64];
  const float magnitude = std::fabs(f);
  if (f == 0.0f) {
    out += std::signbit(f) ? "-0.0" : "0";  // "-0" would read back as the integer 0
    return;
  }
  const bool plain = magnitude >= 1e-5f && magnitude < 1e15f;
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, f,
                                 plain ? std::chars_format::fixed : std::chars_format::scientific);
  out.append(buffer, end);
}

// The width of a list that is never wrapped.
constexpr std::size_t kOneLine = 0;

// Appends one value. In a Variant array (`tagged`) an Integer or Long carries its type as a tag;
// a bare number there reads back as a Single. Errors name neither member nor index.
Status AppendValue(std::string& out, const Variant& v, bool tagged) {
  switch (v.type()) {
    case VarType::Integer:
    case VarType::Long: {
      std::int32_t n = *v.ToLong();
      if (!tagged) {
        AppendNumber(out, n);
        break;
      }
      out += v.type() == VarType::Integer ? R"({"Integer": )" : R"({"Long": )";
      AppendNumber(out, n);
      out += '}';
      break;
    }
    case VarType::Single: {
      float f = *v.ToSingle();
      if (!std::isfinite(f)) {
        std::string text;
        AppendSingle(text, f);
        return Error::InvalidInput(text + " cannot be written to a chart file");
      }
      AppendSingle(out, f);
      break;
    }
    case VarType::Boolean:
      out += *v.ToBoolean() ? "true" : "false";
      break;
    case VarType::String:
      if (!AppendString(out, *v.ToString())) return Error::InvalidInput(std::string(kNotUtf8));
      break;
    case VarType::Empty:
      out += "null";
      break;
    case VarType::Variant:
      return Error::InvalidInput("an array cannot be an element");
  }
  return Ok{};
}

// The indexes of the element at a storage position.
std::vector<std::int32_t> IndexesAt(const VArray& array, std::size_t flat) {
  if (array.rank() == 1) return {array.bounds(0).lower + static_cast<std::int32_t>(flat)};
  const auto columns = static_cast<std::size_t>(array.bounds(1).count());
  return {array.bounds(0).lower + static_cast<std::int32_t>(flat / columns),
          array.bounds(1).lower + static_cast<std::int32_t>(flat % columns)};
}

// Charts repeat their Singles: the per-place lines hold a few values place after place, and
// measurements of a few decimals take a few hundred values. Each text is worked out once and
// remembered: the last two, then by the Single's bits in a table made on first need.
class SingleTexts {
 public:
  void Append(std::string& out, float f) {
    const auto bits = std::bit_cast<std::uint32_t>(f);
    for (const Remembered& r : last_) {
      if (r.size > 0 && r.bits == bits) {
        out.append(r.text, r.size);
        return;
      }
    }
    if (table_ == nullptr) table_ = std::make_unique<Remembered[]>(kTableSize);
    Remembered& slot = table_[(bits * 2654435761u) >> (32 - kTableBits)];
    const std::size_t from = out.size();
    if (slot.size > 0 && slot.bits == bits) {
      out.append(slot.text, slot.size);
    } else {
      AppendSingle(out, f);
      Remember(slot, bits, std::string_view(out).substr(from));
    }
    Remember(last_[next_], bits, std::string_view(out).substr(from));
    next_ ^= 1;
  }

 private:
  struct Remembered {
    std::uint32_t bits = 0;
    std::uint8_t size = 0;  // 0: nothing remembered
    char text[27];
  };
  static constexpr int kTableBits = 12;
  static constexpr std::size_t kTableSize = std::size_t{1} << kTableBits;

  static void Remember(Remembered& r, std::uint32_t bits, std::string_view text) {
    if (text.size() > sizeof r.text) return;  // longer than any Single's text
    r.bits = bits;
    r.size = static_cast<std::uint8_t>(text.size());
    text.copy(r.text, text.size());
  }

  Remembered last_[2];
  int next_ = 0;
  std::unique_ptr<Remembered[]> table_;
};

// One element, read straight from the storage where it holds numbers or Booleans.
Status AppendElement(std::string& out, const VArray& array, std::size_t flat,
                     SingleTexts& singles) {
  if (const auto stored = array.Elements<float>(); !stored.empty()) {
    if (!std::isfinite(stored[flat])) return AppendValue(out, Variant(stored[flat]), false);
    singles.Append(out, stored[flat]);
  } else if (const auto integers = array.Elements<std::int16_t>(); !integers.empty()) {
    AppendNumber(out, integers[flat]);
  } else if (const auto longs = array.Elements<std::int32_t>(); !longs.empty()) {
    AppendNumber(out, longs[flat]);
  } else if (const auto booleans = array.Elements<unsigned char>(); !booleans.empty()) {
    out += booleans[flat] != 0 ? "true" : "false";
  } else if (const auto strings = array.Elements<std::string>(); !strings.empty()) {
    if (!AppendString(out, strings[flat])) return Error::InvalidInput(std::string(kNotUtf8));
  } else {
    return AppendValue(out, array.At(flat), array.element_type() == VarType::Variant);
  }
  return Ok{};
}

// The rows of a two-index array (the elements of a one-index one) as the bytes they are stored
// in, where they hold numbers or Booleans: a row bit for bit as the one before is written as the
// same text.
class StoredRows {
 public:
  StoredRows(const VArray& array, std::size_t columns) {
    auto take = [&](auto tag) {
      using T = decltype(tag);
      const std::span<const T> stored = array.Elements<T>();
      if (stored.empty()) return false;
      bytes_ = reinterpret_cast<const char*>(stored.data());
      row_bytes_ = columns * sizeof(T);
      return true;
    };
    take(float{}) || take(std::int16_t{}) || take(std::int32_t{}) ||
        take(static_cast<unsigned char>(0));
  }

  // Whether row `row` (not the first) is stored as the row before it; false for other elements.
  bool SameAsBefore(std::size_t row) const {
    return bytes_ != nullptr &&
           SameBytes(bytes_ + row * row_bytes_, bytes_ + (row - 1) * row_bytes_, row_bytes_);
  }

 private:
  const char* bytes_ = nullptr;
  std::size_t row_bytes_ = 0;
};

// A spill is called after each item of a list: where the writer hands its text on as it goes,
// it may hand on the text made so far and empty it, and says whether it did. It never does while
// the list may still be put on one line. NoSpill keeps the whole text.
struct NoSpill {
  Result<bool> operator()() const { return false; }
};

// A list on one line: items stay where they are written.
struct OneLine {
  std::size_t Place(std::size_t, std::size_t start, std::size_t) { return start; }
  std::size_t FullLine(std::size_t, std::size_t, std::size_t) const { return 0; }
  void PassLines(std::size_t) {}
};

// A list over indented lines, each filled up to `width` columns: a line is broken before the
// item that would overflow it, once that item is written.
struct Wrapped {
  std::string& out;
  std::size_t width;
  std::size_t line = 0;        // the length of the line so far, without its indent
  std::size_t line_first = 0;  // the item the line starts with
  bool broken = false;

  // Moves the item written at `start` after `separator` to a line of its own when it does not
  // fit on the line; where it starts.
  std::size_t Place(std::size_t separator, std::size_t start, std::size_t item) {
    const std::size_t size = out.size() - start;
    if (line > 0 && 4 + line + 2 + size + 2 > width) {
      out.replace(separator + 1, 1, "\n    ");  // ", " becomes ",\n    "
      line = size;
      line_first = item;
      broken = true;
      return start + 4;
    }
    line += (line > 0 ? 2 : 0) + size;
    return start;
  }
  // How many items the line holds when it is a broken line with no room for another item of
  // `size`, the items from `since` to `item` (the next) being all alike; else 0. Every line
  // after it then holds as many of those items.
  std::size_t FullLine(std::size_t since, std::size_t item, std::size_t size) const {
    if (!broken || line_first < since || 4 + line + 2 + size + 2 <= width) return 0;
    return item - line_first;
  }
  // The next `items` items were written as whole lines like the line before.
  void PassLines(std::size_t items) { line_first += items; }
};

// Writes `count` items from storage position `from`, separated by ", ": elements of a one-index
// array, else rows of a two-index array, each row written as a list, each placed by `layout`.
// After each item, `spill` may hand the text on.
template <class Layout, class Spill>
Status WriteItems(std::string& out, SingleTexts& singles, std::string_view name,
                  const VArray& array, std::size_t from, std::size_t count, Layout& layout,
                  Spill spill) {
  const std::size_t columns =
      array.rank() == 2 ? static_cast<std::size_t>(array.bounds(1).count()) : 1;
  std::size_t row_from = 0, row_to = 0;  // the text of the row before
  bool row_in_text = false;              // false once the text was handed on
  std::size_t alike_since = 0;           // the first of the items that are all the row before
  const StoredRows rows(array, columns);
  const std::size_t from_row = columns == 0 ? 0 : from / columns;
  auto same_as_before = [&](std::size_t item) { return rows.SameAsBefore(from_row + item); };
  for (std::size_t item = 0; item < count; ++item) {
    // A row that holds what the row before holds is written as it was: a chart's lines at each
    // place mostly stay from place to place. Once a whole line holds such rows, the rows alike
    // after it are written a line at a time.
    const bool again = row_in_text && same_as_before(item);
    if (again) {
      const std::size_t size = row_to - row_from;
      if (const std::size_t per_line = layout.FullLine(alike_since, item, size); per_line > 0) {
        std::size_t alike = 1;
        while (item + alike < count && same_as_before(item + alike)) ++alike;
        const std::size_t lines = alike / per_line;
        if (lines > 0) {
          const std::string_view row(out.data() + row_from, size);
          std::string text = ",\n    ";
          text += row;
          for (std::size_t k = 1; k < per_line; ++k) (text += ", ") += row;
          for (std::size_t k = 0; k < lines; ++k) {
            out += text;
            Result<bool> spilled = spill();
            if (!spilled) return spilled.error();
            row_in_text = !*spilled;
          }
          row_from = out.size() - size;
          row_to = out.size();
          layout.PassLines(lines * per_line);
          item += lines * per_line - 1;
          continue;
        }
      }
    }
    const std::size_t first = from + item * columns;
    const std::size_t separator = out.size();
    if (item > 0) out += ", ";
    const std::size_t start = out.size();
    if (again) {
      out.append(out, row_from, row_to - row_from);
    } else {
      alike_since = item;
      if (array.rank() == 2) out += '[';
      for (std::size_t flat = first; flat < first + columns; ++flat) {
        if (flat > first) out += ", ";
        if (Status appended = AppendElement(out, array, flat, singles); !appended)
          return appended.error().WithContext(DescribeElement(name, IndexesAt(array, flat)));
      }
      if (array.rank() == 2) out += ']';
    }
    row_from = layout.Place(separator, start, item);
    row_to = out.size();
    Result<bool> spilled = spill();
    if (!spilled) return spilled.error();
    row_in_text = !*spilled;
  }
  return Ok{};
}

// Appends `count` items from storage position `from` as a list: on one line when the line, after
// a key `key_width` wide, fits in `width` columns (always with kOneLine), else Wrapped over
// indented lines. Once a line is broken, `spill` may hand the text on after each item.
template <class Spill = NoSpill>
Status AppendList(std::string& out, SingleTexts& singles, std::string_view name,
                  const VArray& array, std::size_t from, std::size_t count,
                  std::size_t key_width = 0, std::size_t width = kOneLine, Spill spill = {}) {
  if (width == kOneLine) {
    out += '[';
    OneLine one_line;
    Status written = WriteItems(out, singles, name, array, from, count, one_line, NoSpill{});
    if (written) out += ']';
    return written;
  }
  const std::size_t open = out.size();
  out += "[\n    ";
  const std::size_t first = out.size();
  Wrapped wrapped{out, width};
  auto spill_once_broken = [&]() -> Result<bool> {
    if (!wrapped.broken) return false;
    return spill();
  };
  if (Status written =
          WriteItems(out, singles, name, array, from, count, wrapped, spill_once_broken);
      !written)
    return written;
  // A list that fits on its line has had no line broken: its own line has room for all of it.
  if (!wrapped.broken && key_width + (out.size() - first) + 6 <= width) {
    out.erase(open + 1, first - open - 1);
    out += ']';
  } else {
    out += "\n  ]";
  }
  return Ok{};
}

// The initial value of elements of `type`: zero, empty or False, as an empty Variant converts
// to it. Worked out once per type, since the writer asks for it for every member.
const Variant& InitialValue(VarType type) {
  static const auto values = [] {
    std::array<Variant, static_cast<std::size_t>(VarType::Variant) + 1> out;
    for (std::size_t t = 0; t < out.size(); ++t)
      out[t] = *Variant().ConvertTo(static_cast<VarType>(t));
    return out;
  }();
  return values[static_cast<std::size_t>(type)];
}

// Whether a value is the initial value of its type. A Single -0 is not: its sign survives, since
// a report would print it as "-0".
bool IsInitial(const Variant& v, const Variant& initial) {
  if (v.type() == VarType::Single) return std::bit_cast<std::uint32_t>(*v.ToSingle()) == 0;
  return v == initial;
}

// How many elements are not initial.
std::size_t CountChanged(const VArray& array) {
  const Variant& initial = InitialValue(array.element_type());
  std::size_t changed = 0;
  for (std::size_t flat = 0; flat < array.size(); ++flat)
    changed += !IsInitial(array.At(flat), initial);
  return changed;
}

bool HasInitialShape(const VArray& array, const Member& info) {
  return array.element_type() == info.type &&
         std::ranges::equal(array.dims(), std::span<const Bounds>(info.dims, info.rank));
}

// Whether every byte of `bytes` is zero: the first is, and each equals the next.
bool AllZero(std::span<const std::byte> bytes) {
  return bytes.empty() || (bytes[0] == std::byte{0} &&
                           std::memcmp(bytes.data(), bytes.data() + 1, bytes.size() - 1) == 0);
}

// Whether the member still holds its initial array: its own shape and type, every element zero,
// empty or False. A Single -0 anywhere makes it not (its sign bit is set).
bool IsInitialArray(const VArray& array, const Member& info) {
  if (!HasInitialShape(array, info)) return false;
  switch (array.element_type()) {
    case VarType::Integer:
      return AllZero(std::as_bytes(array.Elements<std::int16_t>()));
    case VarType::Long:
      return AllZero(std::as_bytes(array.Elements<std::int32_t>()));
    case VarType::Single:
      return AllZero(std::as_bytes(array.Elements<float>()));
    case VarType::Boolean:
      return AllZero(std::as_bytes(array.Elements<unsigned char>()));
    case VarType::String: {
      const std::span<const std::string> texts = array.Elements<std::string>();
      return std::all_of(texts.begin(), texts.end(),
                         [](const std::string& t) { return t.empty(); });
    }
    case VarType::Empty:
    case VarType::Variant:
      break;
  }
  return array == VArray(info.type, std::span<const Bounds>(info.dims, info.rank));
}

// A fixed array from its first index up to its last element that is not initial.
Status AppendFixed(std::string& out, SingleTexts& singles, std::string_view name,
                   const VArray& array) {
  const Variant& initial = InitialValue(array.element_type());
  std::size_t used = array.size();
  while (used > 0 && IsInitial(array.At(used - 1), initial)) --used;
  if (array.rank() == 1) return AppendList(out, singles, name, array, 0, used);
  const auto columns = static_cast<std::size_t>(array.bounds(1).count());
  return AppendList(out, singles, name, array, 0,
                    columns == 0 ? 0 : (used + columns - 1) / columns);
}

// The elements that are not initial, as an object of index keys: {"2": 5.5, "17": 6}.
Status AppendElements(std::string& out, std::string_view name, const VArray& array) {
  const Variant& initial = InitialValue(array.element_type());
  out += '{';
  bool first = true;
  for (std::size_t flat = 0; flat < array.size(); ++flat) {
    const Variant value = array.At(flat);
    if (IsInitial(value, initial)) continue;
    out += first ? "\"" : ", \"";
    first = false;
    const std::vector<std::int32_t> index = IndexesAt(array, flat);
    out += std::to_string(index[0]);
    if (index.size() == 2) (out += ',') += std::to_string(index[1]);
    out += "\": ";
    if (Status appended = AppendValue(out, value, false); !appended)
      return appended.error().WithContext(DescribeElement(name, index));
  }
  out += '}';
  return Ok{};
}

// A replaceable array. One that keeps its initial bounds and type and is mostly initial is
// written as the elements that were put; otherwise it is written whole: a plain list when its
// element type, number of indexes and lower bounds (0) are the member's own, else the object that
// states them.
Status AppendReplaceable(std::string& out, SingleTexts& singles, const Member& info,
                         const VArray& array) {
  if (HasInitialShape(array, info) && CountChanged(array) * 2 <= array.size())
    return AppendElements(out, info.name, array);
  const bool two = array.rank() == 2;
  if (two && array.bounds(0).count() == 0 && array.bounds(1).count() != ColumnsWhenNoRows(info))
    return Error::InvalidInput("an empty array with a second dimension of " +
                               std::to_string(array.bounds(1).count()) +
                               " cannot be written to a chart file")
        .WithContext(info.name);
  const bool plain = array.element_type() == info.type && array.rank() == info.rank &&
                     array.bounds(0).lower == 0 && (!two || array.bounds(1).lower == 0);
  if (!plain) {
    out += "{\"lbound\": ";
    if (two) out += '[';
    AppendNumber(out, array.bounds(0).lower);
    if (two) ((out += ", ") += std::to_string(array.bounds(1).lower)) += ']';
    if (array.element_type() != info.type)
      ((out += ", \"type\": \"") += VarTypeName(array.element_type())) += '"';
    out += ", \"values\": ";
  }
  const std::size_t count = two ? static_cast<std::size_t>(array.bounds(0).count()) : array.size();
  Status appended = AppendList(out, singles, info.name, array, 0, count);
  if (!plain) out += '}';
  return appended;
}

// Appends the member as `"Name": value`, after a line break, unless it holds its initial value;
// whether it did.
Result<bool> AppendMember(std::string& out, SingleTexts& singles, const ChartAccess& chart,
                          const Member& info, bool first) {
  auto key = [&] {
    out += first ? "\n  " : ",\n  ";
    AppendString(out, info.name);
    out += ": ";
  };
  if (info.kind == Member::Kind::kScalar) {
    Result<Variant> value = chart.GetScalar(info);
    if (!value) return value.error().WithContext(info.name);
    if (IsInitial(*value, InitialValue(info.type))) return false;
    key();
    if (Status appended = AppendValue(out, *value, false); !appended)
      return appended.error().WithContext(info.name);
    return true;
  }
  std::optional<VArray> copy;
  const VArray* array = chart.LendArray(info);
  if (array == nullptr) {
    Result<VArray> got = chart.GetArray(info);
    if (!got) return got.error();
    array = &copy.emplace(std::move(got).value());
  }
  if (IsInitialArray(*array, info)) return false;
  key();
  Status appended = info.kind == Member::Kind::kFixed
                        ? AppendFixed(out, singles, info.name, *array)
                        : AppendReplaceable(out, singles, info, *array);
  if (!appended) return appended.error();
  return true;
}

}  // namespace

Result<std::string> ChartFileText(const ChartAccess& chart) {
  std::string out = "{";
  SingleTexts singles;
  bool first = true;
  for (const Member& member : chart.members()) {
    Result<bool> appended = AppendMember(out, singles, chart, member, first);
    if (!appended) return appended.error();
    first = first && !*appended;
  }
  out += first ? "}\n" : "\n}\n";
  return out;
}

namespace {

// WrappedChartFileText appended to `out`; with a sink, `out` is handed to it and emptied once it
// holds a stretch, after a member or an item of a broken list, and at the end. The stretch is
// small enough to stay in the cache and to be used again for the next one: the text is written
// to the file from memory already touched.
Status AppendWrapped(std::string& out, std::span<const NamedValue> members, const TextSink* sink) {
  constexpr std::size_t kWidth = 100;
  constexpr std::size_t kStretch = std::size_t{256} << 10;
  // Room for the longest text an element may take, so that the text never grows by copying:
  // pages reserved and not written are never touched.
  constexpr std::size_t kRoomPerElement = 32;
  if (sink != nullptr) {
    out.reserve(out.size() + kStretch + 4096);
  } else {
    std::size_t elements = 0;
    for (const NamedValue& m : members)
      elements += m.value->IsArray() ? m.value->array().size() : 1;
    out.reserve(out.size() + kRoomPerElement * elements + 4096);
    AdviseHugePages(out.data(), out.capacity());
  }
  auto spill = [&]() -> Result<bool> {
    if (sink == nullptr || out.size() < kStretch) return false;
    if (Status taken = (*sink)(out); !taken) return taken.error();
    out.clear();
    return true;
  };
  SingleTexts singles;
  out += '{';
  for (const NamedValue& m : members) {
    out += &m == &members.front() ? "\n  " : ",\n  ";
    const std::size_t key_start = out.size();
    AppendString(out, m.name);
    const std::size_t key_width = out.size() - key_start;
    out += ": ";
    if (!m.value->IsArray()) {
      if (Status appended = AppendValue(out, *m.value, false); !appended)
        return appended.error().WithContext(m.name);
    } else {
      const VArray& array = m.value->array();
      const std::size_t count =
          array.rank() == 2 ? static_cast<std::size_t>(array.bounds(0).count()) : array.size();
      if (Status appended =
              AppendList(out, singles, m.name, array, 0, count, key_width, kWidth, spill);
          !appended)
        return appended.error();
    }
    if (Result<bool> spilled = spill(); !spilled) return spilled.error();
  }
  out += members.empty() ? "}\n" : "\n}\n";
  if (sink != nullptr) return (*sink)(out);
  return Ok{};
}

}  // namespace

Result<std::string> WrappedChartFileText(std::span<const NamedValue> members) {
  std::string out;
  if (Status appended = AppendWrapped(out, members, nullptr); !appended) return appended.error();
  return out;
}

Status WriteWrappedChartFileText(std::span<const NamedValue> members, const TextSink& sink) {
  std::string out;
  return AppendWrapped(out, members, &sink);
}

Status WriteChartFileAtomically(const std::filesystem::path& path, const ChartAccess& chart) {
  Result<std::string> text = ChartFileText(chart);
  if (!text) return text.error().WithContext(path.string());
  return ReplaceFileAtomically(path, *text);
}

}  // namespace ostrevin
