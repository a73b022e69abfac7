// The fast chart-file reader: simdjson's on-demand parser over the whole text, values converted
// straight into the container's typed storage. Each helper returns nullopt (or false) where the
// detailed reader would refuse the text or judge it by a rule kept only there (the whole-array
// form with "lbound", Variant elements, escaped Unicode, numbers at the edges of a double):
// those texts take the detailed way, so both ways give the same container or the same error.

#include "chartfile/staged_chart.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <type_traits>

#include "chartfile/chart_file_format.h"
#include "chartfile/number_token.h"
#include "chartfile/plain_list.h"

namespace ostrevin {
namespace {

namespace od = simdjson::ondemand;
using Member = ChartAccess::Member;

// A number as the detailed reader classifies it: a whole number when its text has neither
// fraction nor exponent.
struct Number {
  bool whole = false;
  bool is_unsigned = false;  // a whole number at or above 2^63
  std::int64_t i = 0;
  std::uint64_t u = 0;
  double d = 0;
  std::string_view text;
};

std::string_view TrimTrailingSpace(std::string_view token) {
  while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                            token.back() == '\r'))
    token.remove_suffix(1);
  return token;
}

std::optional<Number> NumberOf(od::value& v) {
  Number n;
  n.text = TrimTrailingSpace(v.raw_json_token());
  od::number parsed;
  if (v.get_number().get(parsed)) return std::nullopt;
  switch (parsed.get_number_type()) {
    case od::number_type::signed_integer:
      n.whole = true;
      n.i = parsed.get_int64();
      n.d = static_cast<double>(n.i);
      return n;
    case od::number_type::unsigned_integer:
      n.whole = n.is_unsigned = true;
      n.u = parsed.get_uint64();
      n.d = static_cast<double>(n.u);
      return n;
    case od::number_type::floating_point_number: {
      // Integers beyond 64 bits and "-0" come here as doubles; the detailed reader decides.
      if (n.text.find_first_of(".eE") == std::string_view::npos) return std::nullopt;
      // From the text: the parser's number of a long decimal can be 0.
      const char* end = n.text.data() + n.text.size();
      auto [read_to, ec] = std::from_chars(n.text.data(), end, n.d);
      if (ec != std::errc() || read_to != end) return std::nullopt;
      return n;
    }
  }
  return std::nullopt;
}

// The whole number `n` as Int, when it is one in range.
template <class Int>
std::optional<Int> WholeOf(const Number& n) {
  constexpr auto lo = std::numeric_limits<Int>::min(), hi = std::numeric_limits<Int>::max();
  if (n.is_unsigned) return std::nullopt;  // above every Long
  if (n.whole) {
    if (n.i < lo || n.i > hi) return std::nullopt;
    return static_cast<Int>(n.i);
  }
  if (n.d != std::trunc(n.d) || n.d < lo || n.d > hi) return std::nullopt;
  return static_cast<Int>(n.d);
}

// The Single of a number: the float nearest to its text.
std::optional<float> SingleOf(const Number& n) {
  std::optional<float> rounded = NearestFloat(n.d);
  if (!rounded) return std::nullopt;
  if (n.whole) return rounded;
  float nearest = 0;
  const char* end = n.text.data() + n.text.size();
  auto [read_to, ec] = std::from_chars(n.text.data(), end, nearest);
  return ec == std::errc() && read_to == end ? nearest : *rounded;
}

// A string's text when it holds no control character (which JSON forbids unescaped) and no \u
// escape.
std::optional<std::string_view> StringOf(od::value& v) {
  const std::string_view token = TrimTrailingSpace(v.raw_json_token());
  if (token.size() < 2) return std::nullopt;
  const std::string_view raw = token.substr(1, token.size() - 2);
  bool escaped = false;
  for (std::size_t k = 0; k < raw.size(); ++k) {
    if (static_cast<unsigned char>(raw[k]) < 0x20) return std::nullopt;
    if (raw[k] != '\\') continue;
    if (k + 1 < raw.size() && raw[k + 1] == 'u') return std::nullopt;
    escaped = true;
    ++k;
  }
  if (!escaped) return raw;
  std::string_view text;
  if (v.get_string().get(text)) return std::nullopt;
  return text;
}

// One element of `type`, stored as its array stores it.
template <class T>
bool Read(od::value& v, T& out) {
  od::json_type type;
  if (v.type().get(type)) return false;
  if constexpr (std::is_same_v<T, std::string>) {
    if (type != od::json_type::string) return false;
    std::optional<std::string_view> text = StringOf(v);
    if (!text) return false;
    out.assign(*text);
    return true;
  } else if constexpr (std::is_same_v<T, unsigned char>) {  // Boolean
    if (type == od::json_type::boolean) {
      bool b = false;
      if (v.get_bool().get(b)) return false;
      out = b ? 1 : 0;
      return true;
    }
    if (type != od::json_type::number) return false;
    std::optional<Number> n = NumberOf(v);
    if (!n) return false;
    out = n->d != 0.0 ? 1 : 0;
    return true;
  } else {
    if (type != od::json_type::number) return false;
    if (ReadNumberQuickly(TrimTrailingSpace(v.raw_json_token()), out)) return true;
    std::optional<Number> n = NumberOf(v);
    if (!n) return false;
    std::optional<T> value;
    if constexpr (std::is_same_v<T, float>) {
      value = SingleOf(*n);
    } else {
      value = WholeOf<T>(*n);
    }
    if (!value) return false;
    out = *value;
    return true;
  }
}

// Calls `body` with the storage type of `type` (a default value of it).
template <class Body>
bool WithStorage(VarType type, Body&& body) {
  switch (type) {
    case VarType::Integer:
      return body(std::int16_t{});
    case VarType::Long:
      return body(std::int32_t{});
    case VarType::Single:
      return body(float{});
    case VarType::Boolean:
      return body(static_cast<unsigned char>(0));
    case VarType::String:
      return body(std::string{});
    case VarType::Empty:
    case VarType::Variant:
      break;
  }
  return false;  // Variant elements: the detailed reader's
}

template <class T>
Variant AsVariant(T value) {
  if constexpr (std::is_same_v<T, unsigned char>) {
    return Variant(value != 0);
  } else {
    return Variant(std::move(value));
  }
}

std::optional<Variant> ScalarOf(od::value& v, VarType type) {
  std::optional<Variant> out;
  WithStorage(type, [&](auto value) {
    if (!Read(v, value)) return false;
    out = AsVariant(std::move(value));
    return true;
  });
  return out;
}

// What the reading of one list needs to know beyond the list.
struct Lists {
  const char* text_end = nullptr;
  // The size of the list before, which the lists of one chart mostly share: each list's items
  // are reserved for it.
  std::size_t hint = 0;
};

// A value where the plain reader stands: the text from its first character on, and once it is
// read, how many bytes it took.
struct PlainValue {
  std::string_view rest;
  std::size_t length = 0;
};

template <class T>
bool ReadList(PlainValue& v, int rank, std::vector<T>& items, std::size_t& rows,
              std::size_t& columns, Lists& lists) {
  items.reserve(lists.hint);
  if (!ReadPlainList(v.rest, rank, items, rows, columns, v.length)) return false;
  lists.hint = items.size();
  return true;
}

// The items of a list, flat; `rows` counts the rows of a two-index list, all of one length
// `columns`. Fails unless every item reads as T.
template <class T>
bool ReadList(od::value& v, int rank, std::vector<T>& items, std::size_t& rows,
              std::size_t& columns, Lists& lists) {
  // A plain list even in a text that is not plain throughout is read straight from the text.
  const char* start = v.raw_json_token().data();
  PlainValue plain{std::string_view(start, static_cast<std::size_t>(lists.text_end - start))};
  const std::size_t columns_before = columns;
  if (ReadList(plain, rank, items, rows, columns, lists)) return true;
  items.clear();
  columns = columns_before;
  od::array list;
  if (v.get_array().get(list)) return false;
  rows = 0;
  for (auto entry : list) {
    od::value item;
    if (entry.get(item)) return false;
    ++rows;
    if (rank == 1) {
      items.emplace_back();
      if (!Read(item, items.back())) return false;
      continue;
    }
    od::array row;
    if (item.get_array().get(row)) return false;
    std::size_t length = 0;
    for (auto cell : row) {
      od::value value;
      if (cell.get(value)) return false;
      items.emplace_back();
      if (!Read(value, items.back())) return false;
      ++length;
    }
    if (rows == 1) columns = length;
    if (length != columns) return false;
  }
  lists.hint = items.size();
  return true;
}

std::optional<Variant> ScalarOf(PlainValue& v, VarType type) {
  std::optional<Variant> out;
  WithStorage(type, [&](auto value) {
    if (!ReadPlainScalar(v.rest, value, v.length)) return false;
    out = AsVariant(std::move(value));
    return true;
  });
  return out;
}

// A list for a replaceable member: a whole new array of the member's type from index 0.
template <class Value>
bool StageWhole(Value& v, const Member& m, StagedMember& out, Lists& lists) {
  return WithStorage(m.type, [&](auto zero) {
    using T = decltype(zero);
    std::vector<T> items;
    std::size_t rows = 0, columns = static_cast<std::size_t>(ColumnsWhenNoRows(m));
    if (!ReadList(v, m.rank, items, rows, columns, lists)) return false;
    std::vector<Bounds> dims;
    std::size_t elements = 1;
    for (int d = 0; d < m.rank; ++d) {
      Result<Bounds> b = PlaceBounds(m, 0, d == 0 ? rows : columns);
      if (!b) return false;
      dims.push_back(*b);
      elements *= static_cast<std::size_t>(b->count());
    }
    if (elements != items.size()) return false;
    out.form = StagedMember::Form::kWhole;
    out.value = Variant(VArray(m.type, std::move(dims), std::move(items)));
    return true;
  });
}

// A list for a fixed member: element by element from its first indexes.
template <class Value>
bool StageFromFirstIndex(Value& v, const Member& m, StagedMember& out, Lists& lists) {
  return WithStorage(m.type, [&](auto zero) {
    using T = decltype(zero);
    std::vector<T> items;
    std::size_t rows = 0, columns = 0;
    if (!ReadList(v, m.rank, items, rows, columns, lists)) return false;
    out.form = StagedMember::Form::kElements;
    out.elements.reserve(items.size());
    for (std::size_t flat = 0; flat < items.size(); ++flat) {
      StagedMember::Element e;
      e.rank = static_cast<std::uint8_t>(m.rank);
      const std::size_t r = m.rank == 2 ? flat / columns : flat;
      e.index[0] = m.dims[0].lower + static_cast<std::int32_t>(r);
      if (m.rank == 2) e.index[1] = m.dims[1].lower + static_cast<std::int32_t>(flat % columns);
      e.value = AsVariant(std::move(items[flat]));
      out.elements.push_back(std::move(e));
    }
    return true;
  });
}

bool IsPlainKey(std::string_view key) {
  return std::none_of(key.begin(), key.end(), [](char c) {
    return c == '\\' || c == '"' || static_cast<unsigned char>(c) < 0x20;
  });
}

// Whether an element is given twice: the detailed reader keeps the last value at the place of
// the first, which the puts in file order here would not repeat when a later put fails.
bool HasRepeatedIndex(const std::vector<StagedMember::Element>& elements) {
  std::vector<std::int64_t> keys;
  keys.reserve(elements.size());
  for (const StagedMember::Element& e : elements)
    keys.push_back((std::int64_t{e.index[0]} << 32) ^ (std::int64_t{e.rank} << 31) ^
                   static_cast<std::uint32_t>(e.index[1]));
  std::sort(keys.begin(), keys.end());
  return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

// {"5": value, "5,1": value}: the elements put one by one.
bool StageElements(od::value& v, const Member& m, StagedMember& out) {
  od::object object;
  if (v.get_object().get(object)) return false;
  out.form = StagedMember::Form::kElements;
  for (auto field : object) {
    std::string_view key;
    if (field.unescaped_key().get(key) || !IsPlainKey(key)) return false;
    if (key == kLboundKey || key == kValuesKey || key == kTypeKey) return false;
    Result<std::vector<std::int32_t>> index = IndexesOf(key);
    if (!index) return false;
    od::value value = field.value();
    std::optional<Variant> item = ScalarOf(value, m.type);
    if (!item) return false;
    StagedMember::Element e;
    e.rank = static_cast<std::uint8_t>(index->size());
    std::copy(index->begin(), index->end(), e.index);
    e.value = std::move(*item);
    out.elements.push_back(std::move(e));
  }
  return !HasRepeatedIndex(out.elements);
}

// What a value is, as far as staging a member goes: a list, an object of elements, or else.
enum class Shape { kList, kObject, kOther };

Shape ShapeOf(od::value& v) {
  od::json_type type;
  if (v.type().get(type)) return Shape::kOther;
  if (type == od::json_type::array) return Shape::kList;
  return type == od::json_type::object ? Shape::kObject : Shape::kOther;
}

// The plain reader takes lists and scalars; an object is for the parser.
Shape ShapeOf(const PlainValue& v) {
  return !v.rest.empty() && v.rest[0] == '[' ? Shape::kList : Shape::kOther;
}

template <class Value>
bool StageValue(Value& v, StagedMember& out, Lists& lists) {
  const Member& m = *out.member;
  if (m.kind == Member::Kind::kScalar) {
    std::optional<Variant> value = ScalarOf(v, m.type);
    if (!value) return false;
    out.value = std::move(*value);
    return true;
  }
  switch (ShapeOf(v)) {
    case Shape::kList:
      return m.kind == Member::Kind::kFixed ? StageFromFirstIndex(v, m, out, lists)
                                            : StageWhole(v, m, out, lists);
    case Shape::kObject:
      if constexpr (std::is_same_v<Value, od::value>) return StageElements(v, m, out);
      break;
    case Shape::kOther:
      break;
  }
  return false;
}

// The member or property named `out.key`, with its value `v`.
template <class Value>
bool StageNamed(Value& v, const ChartAccess& chart, StagedMember& out, Lists& lists) {
  if (std::optional<ChartAccess::Lookup> found = chart.Find(out.key)) {
    out.member = found->member;
    return StageValue(v, out, lists);
  }
  Result<const ChartAccess::Property*> property = WritableProperty(chart, out.key);
  if (!property) return false;
  std::optional<Variant> set = ScalarOf(v, (*property)->type);
  if (!set) return false;
  out.form = StagedMember::Form::kProperty;
  out.property = *property;
  out.value = std::move(*set);
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

}  // namespace

// The chart files that tools write, {"Key": [plain list] or plain scalar, ...}, read straight
// from the text without the parser's structural pass: nullopt at the first thing that is not so,
// and the parser then reads the whole text.
std::optional<std::vector<StagedMember>> StagePlainChartText(std::string_view text,
                                                             const ChartAccess& chart) {
  if (!simdjson::validate_utf8(text.data(), text.size())) return std::nullopt;
  std::size_t at = 0;
  auto blanks = [&] {
    while (at < text.size() && IsBlank(text[at])) ++at;
  };
  auto take = [&](char c) {
    blanks();
    if (at == text.size() || text[at] != c) return false;
    ++at;
    return true;
  };
  std::vector<StagedMember> members;
  if (!take('{')) return std::nullopt;
  if (!take('}')) {
    Lists lists{text.data() + text.size()};
    do {
      if (!take('"')) return std::nullopt;
      const std::size_t end = text.find('"', at);
      if (end == text.npos) return std::nullopt;
      StagedMember& member = members.emplace_back();
      member.key = text.substr(at, end - at);
      member.offset = at;
      if (!IsPlainKey(member.key)) return std::nullopt;
      at = end + 1;
      if (!take(':')) return std::nullopt;
      blanks();
      PlainValue value{text.substr(at)};
      if (!StageNamed(value, chart, member, lists)) return std::nullopt;
      at += value.length;
    } while (take(','));
    if (!take('}')) return std::nullopt;
  }
  blanks();
  if (at != text.size()) return std::nullopt;
  return members;
}

namespace {

// The key of a top-level field and its place in the text.
bool KeyOf(od::field& field, const char* base, std::string_view text, StagedMember& out) {
  const char* raw = field.key().raw();  // just past the opening quote
  const std::size_t start = static_cast<std::size_t>(raw - base);
  const std::size_t end = text.find('"', start);
  if (end == text.npos) return false;
  out.key = text.substr(start, end - start);
  out.offset = start;
  return IsPlainKey(out.key);
}

bool StageField(od::field& field, const char* base, std::string_view text, const ChartAccess& chart,
                StagedMember& out, Lists& lists) {
  if (!KeyOf(field, base, text, out)) return false;
  od::value value = field.value();
  return StageNamed(value, chart, out, lists);
}

}  // namespace

Status StagedMember::PutInto(ChartAccess& chart) const {
  switch (form) {
    case Form::kScalar:
      return chart.PutScalar(*member, value);
    case Form::kProperty:
      return chart.PutProperty(*property, value);
    case Form::kWhole:
      return chart.PutWholeArray(*member, value);
    case Form::kElements:
      for (const Element& e : elements) {
        if (Status put = chart.PutElement(*member, std::span(e.index, e.rank), e.value); !put)
          return put;
      }
      return Ok{};
  }
  return Ok{};
}

bool IsJsonText(std::string_view text) {
  simdjson::dom::parser parser;
  return !parser.parse(simdjson::padded_string(text)).error();
}

std::optional<std::vector<StagedMember>> StageChartText(std::string_view text, std::size_t readable,
                                                        const ChartAccess& chart) {
  static_assert(kStagingPadding == simdjson::SIMDJSON_PADDING);
  if (std::optional<std::vector<StagedMember>> plain = StagePlainChartText(text, chart))
    return plain;
  std::optional<simdjson::padded_string> copy;
  if (readable < text.size() + kStagingPadding) copy.emplace(text);
  const simdjson::padded_string_view padded =
      copy ? simdjson::padded_string_view(*copy)
           : simdjson::padded_string_view(text.data(), text.size(), readable);
  // The on-demand parser checks only the parts it is asked to read, and passes over the rest
  // leniently: the whole text is checked first.
  simdjson::dom::parser validator;
  if (validator.parse(padded).error()) return std::nullopt;
  od::parser parser;
  od::document doc;
  if (parser.iterate(padded).get(doc)) return std::nullopt;
  od::object object;
  if (doc.get_object().get(object)) return std::nullopt;
  std::vector<StagedMember> members;
  Lists lists{padded.data() + text.size()};
  for (auto entry : object) {
    od::field field;
    if (std::move(entry).get(field)) return std::nullopt;
    members.emplace_back();
    if (!StageField(field, padded.data(), text, chart, members.back(), lists)) return std::nullopt;
  }
  // Nothing but blanks may follow the chart's object: the parser has a location past its end
  // only when something does.
  if (doc.current_location().error() != simdjson::OUT_OF_BOUNDS) return std::nullopt;
  return members;
}

}  // namespace ostrevin
