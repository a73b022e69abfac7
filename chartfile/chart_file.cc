// Chart files: one JSON object (UTF-8) whose keys are the container's members.
//
//   chart    = "{" [ member *( "," member ) ] "}"
//   member   = NAME ":" value   ; NAME: a member or its Quick... companion, in any case. Members
//                               ; are applied in file order, repeated keys included.
//   value    = scalar | list | whole | elements
//   scalar   = number           ; Integer, Long: a whole number in range; Single: rounded to float
//            | true | false     ; Boolean; a number also does (0 is False, any other True)
//            | string           ; String
//   list     = "[" [ item *( "," item ) ] "]"
//              ; replaceable member: a whole new array from index 0;
//              ; fixed member: element by element from the member's first index
//   item     = scalar           ; one-index members
//            | "[" [ scalar *( "," scalar ) ] "]"   ; two-index members: one row per first index,
//                                                  ; all rows of one length
//   whole    = "{" "lbound" ":" ( L | "[" L1 "," L2 "]" ) [ "," "type" ":" TYPE ]
//                  "," "values" ":" list "}"       ; replaceable members only, keys in any order;
//                                                  ; L: one index, [L1, L2]: two
//   TYPE     = "Integer" | "Long" | "Single" | "Boolean" | "String" | "Variant"
//              ; the element type, when it is not the member's own. A Variant item is null,
//              ; true, false, a number (Single), a string, {"Integer": n} or {"Long": n}.
//   elements = "{" INDEX ":" scalar *( "," INDEX ":" scalar ) "}"   ; INDEX: "5" or "5,1"
//
// Every put obeys the container: an index outside the bounds is error 9 and stores nothing.
// Whole arrays are limited to bounds that 16-bit places can address.

#include "chartfile/chart_file.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "chartfile/chart_file_format.h"
#include "chartfile/file_io.h"
#include "chartfile/staged_chart.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

using Member = ChartAccess::Member;

using Json = nlohmann::ordered_json;

// One top-level member as the file gives it; `offset` lies just past its key, for messages.
struct Entry {
  std::string key;
  Json value;
  std::size_t offset = 0;
};

// A character iterator that records how far the parser has read, so that a member can be
// reported with its line although the parser hands out no positions.
class TrackingIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* p, const char** read_to) : p_(p), read_to_(read_to) {}
  reference operator*() const { return *p_; }
  TrackingIterator& operator++() {
    *read_to_ = ++p_;
    return *this;
  }
  TrackingIterator operator++(int) {
    TrackingIterator old = *this;
    ++*this;
    return old;
  }
  bool operator==(const TrackingIterator& other) const { return p_ == other.p_; }

 private:
  const char* p_;
  const char** read_to_;
};

// The parser's double for a number, adjusted when rounding it to float would not give the
// number's own nearest float (the double may have landed exactly between two floats).
double FaithfulToFloat(double value, const std::string& text) {
  float nearest = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), nearest);
  std::optional<float> rounded = NearestFloat(value);
  if (ec == std::errc() && end == text.data() + text.size() && rounded && *rounded != nearest)
    return nearest;
  return value;
}

// Builds the value of each top-level member and keeps the members in file order with repeated
// keys (a JSON object would merge them).
class EntryCollector final : public nlohmann::json_sax<Json> {
 public:
  // `name` names the text in messages; `read_to` is kept up to date by a TrackingIterator.
  // Without `collect` no value is kept: the parse stops at the same first problem, if any.
  EntryCollector(std::string_view name, const char* begin, const char* const* read_to, bool collect)
      : name_(name), begin_(begin), read_to_(read_to), collect_(collect) {}

  bool null() override { return Add(nullptr); }
  bool boolean(bool v) override { return Add(v); }
  bool number_integer(number_integer_t v) override { return Add(v); }
  bool number_unsigned(number_unsigned_t v) override { return Add(v); }
  bool number_float(number_float_t v, const string_t& text) override {
    return Add(collect_ ? FaithfulToFloat(v, text) : v);
  }
  bool string(string_t& v) override { return Add(std::move(v)); }
  bool binary(binary_t&) override { return false; }  // JSON text has no binary values
  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool key(string_t& k) override {
    if (!collect_) return true;
    if (open_.empty()) {
      entries_.push_back({std::move(k), Json(), Offset()});
    } else {
      key_ = std::move(k);
    }
    return true;
  }
  bool parse_error(std::size_t position, const std::string& token,
                   const Json::exception& ex) override {
    problem_ = SyntaxError(position, token, ex);
    return false;
  }

  std::vector<Entry>& entries() { return entries_; }
  // Why the parse stopped, once it has.
  const std::optional<Error>& problem() const { return problem_; }

 private:
  std::size_t Offset() const { return static_cast<std::size_t>(*read_to_ - begin_); }
  Error SyntaxError(std::size_t position, const std::string& token,
                    const Json::exception& ex) const;

  // Where the next value goes. Slots of open containers stay valid: a container only grows
  // again after its open child has been closed.
  Json* Slot() {
    if (open_.empty()) return &entries_.back().value;
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(nullptr);
      return &parent.back();
    }
    return &parent[key_];
  }
  bool NotAnObject(const Json& v) {
    std::string kind = v.is_array() ? "an array" : "a single value";
    problem_ = Error::InvalidInput(name_ + ": a chart file is one JSON object, not " + kind);
    return false;
  }
  bool Add(Json v) {
    if (!in_chart_) return NotAnObject(v);
    if (collect_) *Slot() = std::move(v);
    return true;
  }
  bool Open(Json container) {
    if (!in_chart_) {
      if (!container.is_object()) return NotAnObject(container);
      in_chart_ = true;
      return true;
    }
    if (!collect_) return true;
    Json* slot = Slot();
    *slot = std::move(container);
    open_.push_back(slot);
    return true;
  }
  bool Close() {
    if (!open_.empty()) open_.pop_back();
    return true;
  }

  std::string name_;
  const char* begin_;
  const char* const* read_to_;
  bool collect_;
  bool in_chart_ = false;
  std::vector<Entry> entries_;
  std::vector<Json*> open_;
  std::string key_;
  std::optional<Error> problem_;
};

std::size_t LineOf(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// "NAME:LINE:COLUMN: not valid JSON: syntax error while parsing ...", the parser's reason
// without its own prefix and position. A number beyond a double is refused here too.
Error EntryCollector::SyntaxError(std::size_t position, const std::string& token,
                                  const Json::exception& ex) const {
  std::string_view read(begin_, std::min(position, Offset()));
  std::size_t line_start = read.rfind('\n');
  line_start = line_start == read.npos ? 0 : line_start + 1;
  const std::string where = name_ + ":" + std::to_string(LineOf(read, read.size())) + ":" +
                            std::to_string(position - line_start);
  constexpr int kNumberOverflow = 406;
  if (ex.id == kNumberOverflow)
    return Error(Error::kOverflow, where + ": " + token + " is out of range for a number");
  std::string_view reason = ex.what();
  if (std::size_t colon = reason.find(": "); colon != reason.npos) reason.remove_prefix(colon + 2);
  return Error::InvalidInput(where + ": not valid JSON: " + std::string(reason));
}

// The members of the text, or its first problem; without `collect`, an empty list when there is
// none.
Result<std::vector<Entry>> ParseEntries(std::string_view text, std::string_view name,
                                        bool collect) {
  const char* read_to = text.data();
  EntryCollector collector(name, text.data(), &read_to, collect);
  TrackingIterator first(text.data(), &read_to);
  TrackingIterator last(text.data() + text.size(), &read_to);
  bool parsed = Json::sax_parse(first, last, &collector);
  if (collector.problem()) return *collector.problem();
  if (!parsed) return Error::InvalidInput(std::string(name) + ": not valid JSON");
  return std::move(collector.entries());
}

Result<std::vector<Entry>> ParseChart(std::string_view text, std::string_view name) {
  // A text that is not JSON is a broken file, common among those read here: where it breaks is
  // found first by a parse that builds no values. (simdjson is the stricter of the two parsers,
  // so a text it refuses may still pass; then it is parsed in full.)
  if (!IsJsonText(text)) {
    if (Result<std::vector<Entry>> probed = ParseEntries(text, name, false); !probed)
      return probed.error();
  }
  return ParseEntries(text, name, true);
}

// --- From JSON values to the host's values. Errors name neither file nor member; the caller
// puts those in front.

std::string Describe(const Json& v) {
  if (v.is_null()) return "null";
  if (v.is_number()) return v.dump();
  std::string name = v.type_name();
  return (name[0] == 'a' || name[0] == 'o' ? "an " : "a ") + name;
}

Error WrongType(std::string_view wanted, const Json& v) {
  return Error(Error::kTypeMismatch, "needs " + std::string(wanted) + ", not " + Describe(v));
}

Error OutOfRange(const Json& v, std::string_view type) {
  return Error(Error::kOverflow, v.dump() + " is out of range for " + std::string(type));
}

Result<std::int64_t> WholeNumber(const Json& v, std::int64_t lo, std::int64_t hi,
                                 std::string_view type) {
  if (v.is_number_unsigned()) {
    auto u = v.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(hi)) return OutOfRange(v, type);
    return static_cast<std::int64_t>(u);
  }
  if (v.is_number_integer()) {
    auto i = v.get<std::int64_t>();
    if (i < lo || i > hi) return OutOfRange(v, type);
    return i;
  }
  if (!v.is_number() || v.get<double>() != std::trunc(v.get<double>()))
    return WrongType("a whole number", v);
  double d = v.get<double>();
  if (d < static_cast<double>(lo) || d > static_cast<double>(hi)) return OutOfRange(v, type);
  return static_cast<std::int64_t>(d);
}

Result<Variant> SingleOf(const Json& v) {
  if (!v.is_number()) return WrongType("a number", v);
  std::optional<float> f = NearestFloat(v.get<double>());
  if (!f) return OutOfRange(v, "a Single");
  return Variant(*f);
}

template <class Int>
Result<Variant> IntegerOf(const Json& v, std::string_view type) {
  Result<std::int64_t> n =
      WholeNumber(v, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(), type);
  if (!n) return n.error();
  return Variant(static_cast<Int>(*n));
}

Result<Variant> ValueOf(const Json& v, VarType type);

// An element of a Variant array: its JSON type tells the element's type.
Result<Variant> VariantItemOf(const Json& v) {
  if (v.is_null()) return Variant();
  if (v.is_boolean()) return Variant(v.get<bool>());
  if (v.is_string()) return Variant(v.get<std::string>());
  if (v.is_number()) return SingleOf(v);
  if (v.is_object() && v.size() == 1) {
    if (v.begin().key() == kIntegerTag) return IntegerOf<std::int16_t>(v.front(), "an Integer");
    if (v.begin().key() == kLongTag) return IntegerOf<std::int32_t>(v.front(), "a Long");
  }
  return WrongType(R"(null, true, false, a number, a string, {"Integer": n} or {"Long": n})", v);
}

// A JSON value as a value of the host's type, by the chart file's rules.
Result<Variant> ValueOf(const Json& v, VarType type) {
  switch (type) {
    case VarType::Integer:
      return IntegerOf<std::int16_t>(v, "an Integer");
    case VarType::Long:
      return IntegerOf<std::int32_t>(v, "a Long");
    case VarType::Single:
      return SingleOf(v);
    case VarType::Boolean:
      if (v.is_boolean()) return Variant(v.get<bool>());
      if (v.is_number()) return Variant(v.get<double>() != 0.0);
      return WrongType("true, false or a number", v);
    case VarType::String:
      if (v.is_string()) return Variant(v.get<std::string>());
      return WrongType("a string", v);
    case VarType::Empty:
    case VarType::Variant:
      return VariantItemOf(v);
  }
  return WrongType("a value", v);
}

// --- Putting values into the container.

std::string ValuesText(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " value" : " values");
}

// The length of every row of a two-index list; rows are named by their first index.
Result<std::size_t> RowLength(const Json& rows, std::int64_t first_index) {
  std::size_t length = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::string row = "row " + std::to_string(first_index + static_cast<std::int64_t>(r));
    if (!rows[r].is_array()) return WrongType("an array", rows[r]).WithContext(row);
    if (r == 0) length = rows[r].size();
    if (rows[r].size() != length)
      return Error::InvalidInput("rows differ in length: row " + std::to_string(first_index) +
                                 " has " + ValuesText(length) + ", " + row + " has " +
                                 ValuesText(rows[r].size()));
  }
  return length;
}

Status PutItem(ChartAccess& chart, const Member& m, std::span<const std::int32_t> index,
               const Json& v) {
  Result<Variant> value = ValueOf(v, m.type);
  if (!value) return value.error().WithContext(DescribeElement(m.name, index));
  return chart.PutElement(m, index, *value);
}

// A list for a fixed array: element by element from the member's first index (a fixed array
// keeps the bounds the container describes).
Status PutFromFirstIndex(ChartAccess& chart, const Member& m, const Json& list) {
  const std::int32_t first = m.dims[0].lower;
  if (m.rank == 1) {
    for (std::size_t k = 0; k < list.size(); ++k) {
      const std::int32_t index[] = {first + static_cast<std::int32_t>(k)};
      if (Status put = PutItem(chart, m, index, list[k]); !put) return put;
    }
    return Ok{};
  }
  Result<std::size_t> length = RowLength(list, first);
  if (!length) return length.error();
  const std::int32_t first2 = m.dims[1].lower;
  for (std::size_t r = 0; r < list.size(); ++r) {
    for (std::size_t c = 0; c < *length; ++c) {
      const std::int32_t index[] = {first + static_cast<std::int32_t>(r),
                                    first2 + static_cast<std::int32_t>(c)};
      if (Status put = PutItem(chart, m, index, list[r][c]); !put) return put;
    }
  }
  return Ok{};
}

// How a whole array is laid out: its lower bounds, number of indexes and element type.
struct WholeShape {
  std::int32_t lbound[2] = {0, 0};
  int rank = 1;
  VarType type = VarType::Single;
};

Result<VArray> BuildWhole(const Member& m, const Json& list, const WholeShape& shape) {
  const bool two = shape.rank == 2;
  std::size_t columns = static_cast<std::size_t>(ColumnsWhenNoRows(m));
  if (two && !list.empty()) {
    Result<std::size_t> length = RowLength(list, shape.lbound[0]);
    if (!length) return length.error();
    columns = *length;
  }
  std::vector<Bounds> dims;
  for (int d = 0; d < shape.rank; ++d) {
    Result<Bounds> b = PlaceBounds(m, shape.lbound[d], d == 0 ? list.size() : columns);
    if (!b) return b.error();
    dims.push_back(*b);
  }
  VArray array(shape.type, dims);
  for (std::size_t flat = 0; flat < array.size(); ++flat) {
    const std::size_t r = two ? flat / columns : flat;
    const Json& item = two ? list[r][flat % columns] : list[r];
    Result<Variant> value = ValueOf(item, shape.type);
    Status put = value ? array.Put(flat, *value) : Status(value.error());
    if (put) continue;
    std::int32_t index[] = {dims[0].lower + static_cast<std::int32_t>(r),
                            two ? dims[1].lower + static_cast<std::int32_t>(flat % columns) : 0};
    return put.error().WithContext(DescribeElement(m.name, std::span(index, two ? 2 : 1)));
  }
  return array;
}

Status PutWhole(ChartAccess& chart, const Member& m, const Json& list, const WholeShape& shape) {
  Result<VArray> array = BuildWhole(m, list, shape);
  if (!array) return array.error();
  return chart.PutWholeArray(m, Variant(std::move(array).value()));
}

bool IsWholeForm(const Json& object) {
  return object.contains(kLboundKey) || object.contains(kValuesKey) || object.contains(kTypeKey);
}

Result<VarType> ElementTypeOf(const Json& v) {
  for (VarType type : kElementTypes) {
    if (v.is_string() && v.get<std::string>() == VarTypeName(type)) return type;
  }
  return WrongType("Integer, Long, Single, Boolean, String or Variant", v).WithContext(kTypeKey);
}

Result<WholeShape> ShapeOf(const Json& object, VarType member_type) {
  for (const auto& item : object.items()) {
    if (item.key() != kLboundKey && item.key() != kValuesKey && item.key() != kTypeKey)
      return Error::InvalidInput("unexpected key \"" + item.key() + "\" beside \"lbound\"");
  }
  if (!object.contains(kLboundKey) || !object.contains(kValuesKey))
    return Error::InvalidInput("needs both \"lbound\" and \"values\"");
  WholeShape shape;
  shape.type = member_type;
  if (object.contains(kTypeKey)) {
    Result<VarType> type = ElementTypeOf(object.at(kTypeKey));
    if (!type) return type.error();
    shape.type = *type;
  }
  const Json& lbound = object.at(kLboundKey);
  const bool pair = lbound.is_array() && lbound.size() == 2;
  if (!pair && !lbound.is_number()) return WrongType("a whole number or a pair of them", lbound);
  shape.rank = pair ? 2 : 1;
  for (int d = 0; d < shape.rank; ++d) {
    Result<std::int64_t> l = WholeNumber(pair ? lbound[static_cast<std::size_t>(d)] : lbound,
                                         std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max(), "a Long");
    if (!l) return l.error().WithContext(kLboundKey);
    shape.lbound[d] = static_cast<std::int32_t>(*l);
  }
  return shape;
}

Status PutWholeForm(ChartAccess& chart, const Member& m, const Json& object) {
  Result<WholeShape> shape = ShapeOf(object, m.type);
  if (!shape) return shape.error();
  const Json& values = object.at(kValuesKey);
  if (!values.is_array()) return WrongType("an array", values).WithContext(kValuesKey);
  return PutWhole(chart, m, values, *shape);
}

Status PutElements(ChartAccess& chart, const Member& m, const Json& object) {
  for (const auto& item : object.items()) {
    Result<std::vector<std::int32_t>> index = IndexesOf(item.key());
    if (!index) return index.error();
    if (Status put = PutItem(chart, m, *index, item.value()); !put) return put;
  }
  return Ok{};
}

Status ApplyMember(ChartAccess& chart, const Entry& entry) {
  const Json& v = entry.value;
  std::optional<ChartAccess::Lookup> found = chart.Find(entry.key);
  if (!found) {
    Result<const ChartAccess::Property*> property = WritableProperty(chart, entry.key);
    if (!property) return property.error();
    Result<Variant> value = ValueOf(v, (*property)->type);
    if (!value) return value.error();
    return chart.PutProperty(**property, *value);
  }
  const Member& m = *found->member;
  if (m.kind == Member::Kind::kScalar) {
    Result<Variant> value = ValueOf(v, m.type);
    if (!value) return value.error();
    return chart.PutScalar(m, *value);
  }
  if (v.is_array()) {
    if (m.kind == Member::Kind::kFixed) return PutFromFirstIndex(chart, m, v);
    return PutWhole(chart, m, v, WholeShape{{0, 0}, m.rank, m.type});
  }
  if (v.is_object()) return IsWholeForm(v) ? PutWholeForm(chart, m, v) : PutElements(chart, m, v);
  return WrongType("an array or an object", v);
}

}  // namespace

std::optional<float> NearestFloat(double d) {
  constexpr double kFirstBeyond = 0x1.ffffffp+127;  // halfway from FLT_MAX to the next power
  if (!(std::fabs(d) < kFirstBeyond)) return std::nullopt;
  if (std::fabs(d) > FLT_MAX) return d > 0 ? FLT_MAX : -FLT_MAX;
  return static_cast<float>(d);
}

Result<Bounds> PlaceBounds(const Member& m, std::int64_t lower, std::size_t count) {
  const std::int64_t upper = lower + static_cast<std::int64_t>(count) - 1;
  if (lower < std::numeric_limits<std::int16_t>::min() ||
      upper > std::numeric_limits<std::int16_t>::max())
    return Error::SubscriptOutOfRange(m.quick + " bounds " + std::to_string(lower) + " to " +
                                      std::to_string(upper) + " exceed 16-bit places");
  return Bounds{static_cast<std::int32_t>(lower), static_cast<std::int32_t>(upper)};
}

Result<std::vector<std::int32_t>> IndexesOf(std::string_view key) {
  std::vector<std::int32_t> indexes;
  std::string_view rest = key;
  while (indexes.size() < 2) {
    std::size_t comma = rest.find(',');
    std::string_view part = TrimBlanks(rest.substr(0, comma));
    std::int32_t index = 0;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), index);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size()) break;
    indexes.push_back(index);
    if (comma == rest.npos) return indexes;
    rest.remove_prefix(comma + 1);
  }
  return Error::InvalidInput("\"" + std::string(key) + "\" is not an index like \"5\" or \"5,1\"");
}

Result<const ChartAccess::Property*> WritableProperty(const ChartAccess& chart,
                                                      std::string_view key) {
  const ChartAccess::Property* property = chart.FindProperty(key);
  if (property == nullptr) return Error::InvalidInput("unknown member");
  if (!property->writable)
    return Error::InvalidInput("a member the host may only read; a chart file cannot set it");
  return property;
}

namespace {

// "NAME:LINE: KEY", the place of a member in messages.
std::string MemberPlace(std::string_view text, std::string_view name, std::size_t offset,
                        std::string_view key) {
  return std::string(name) + ":" + std::to_string(LineOf(text, offset)) + ": " + std::string(key);
}

// ApplyChartText where `readable` bytes from text.data() may be read (staged_chart.h).
Status ApplyReadableChartText(std::string_view text, std::size_t readable, std::string_view name,
                              ChartAccess& chart) {
  std::optional<std::vector<StagedMember>> staged = StageChartText(text, readable, chart);
  if (!staged) return ApplyChartTextInDetail(text, name, chart);
  for (StagedMember& member : *staged) {
    if (Status put = member.PutInto(chart); !put)
      return put.error().WithContext(MemberPlace(text, name, member.offset, member.key));
    // Freed once put, so that the container's copy of the next array can take its memory.
    member.value = Variant();
  }
  return Ok{};
}

}  // namespace

Status ApplyChartText(std::string_view text, std::string_view name, ChartAccess& chart) {
  return ApplyReadableChartText(text, text.size(), name, chart);
}

Status ApplyChartTextInDetail(std::string_view text, std::string_view name, ChartAccess& chart) {
  Result<std::vector<Entry>> entries = ParseChart(text, name);
  if (!entries) return entries.error();
  for (const Entry& entry : *entries) {
    if (Status applied = ApplyMember(chart, entry); !applied)
      return applied.error().WithContext(MemberPlace(text, name, entry.offset, entry.key));
  }
  return Ok{};
}

Status ReadChartFile(const std::filesystem::path& path, ChartAccess& chart) {
  Result<FileBytes> bytes = ReadFileBytes(path, kStagingPadding);
  if (!bytes) return bytes.error();
  return ApplyReadableChartText(bytes->text(), bytes->readable(), path.string(), chart);
}

}  // namespace ostrevin
