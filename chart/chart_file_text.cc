// Writes chart files:
//
//   file   := "{" LF member { "," LF member } LF "}" LF
//   member := "  " key ": " value
//   value  := scalar | "[" items "]" | "[" LF "    " items { "," LF "    " items } LF "  ]"
//   items  := item { ", " item }        item := scalar | "[" scalar { ", " scalar } "]"
//
// A list is wrapped when its line would pass 100 columns, filling each line up to 100.

#include "chart/chart_file_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace ostrevin {
namespace {

// Floats are written as the JSON library writes a 32-bit float: the shortest text for 32 bits.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

constexpr std::size_t kWidth = 100;

void AppendInteger(std::string& out, std::int64_t n) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
  out.append(buffer, end);
}

// A whole Single is written as an integer, as the container's own writer does; -0 keeps its sign.
void AppendSingleText(std::string& out, float f) {
  if (f == std::trunc(f) && std::fabs(f) < 1e15f && !(f == 0 && std::signbit(f))) {
    AppendInteger(out, static_cast<std::int64_t>(f));
    return;
  }
  char buffer[64];
  out.append(buffer, nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, f));
}

// Text the JSON library writes unchanged between quotes: printable ASCII but '"' and '\\'.
bool IsPlain(std::string_view text) {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7e || c == '"' || c == '\\') return false;
  }
  return true;
}

// The per-place lines repeat a few values place after place: each of the last two Singles
// written is remembered with its text.
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
    Remembered& r = last_[next_];
    next_ ^= 1;
    const std::size_t from = out.size();
    AppendSingleText(out, f);
    r.bits = bits;
    r.size = out.size() - from;
    out.copy(r.text, r.size, from);
  }

 private:
  struct Remembered {
    std::uint32_t bits = 0;
    std::size_t size = 0;  // 0: nothing remembered yet
    char text[64];
  };
  Remembered last_[2];
  int next_ = 0;
};

Status AppendScalar(std::string& out, const Variant& v, std::string_view where,
                    SingleTexts& singles) {
  switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
      AppendInteger(out, *v.ToLong());
      return Ok{};
    case VarType::Single:
      if (!std::isfinite(*v.ToSingle()))
        return Error::InvalidInput(std::string(where) + ": a Single that is not finite");
      singles.Append(out, *v.ToSingle());
      return Ok{};
    case VarType::Boolean:
      out += *v.ToBoolean() ? "true" : "false";
      return Ok{};
    default:
      break;
  }
  const std::string text = *v.ToString();
  if (IsPlain(text)) {
    ((out += '"') += text) += '"';
    return Ok{};
  }
  try {
    out += Json(text).dump();
    return Ok{};
  } catch (const Json::exception&) {
    return Error::InvalidInput(std::string(where) + ": a text that is not UTF-8");
  }
}

// One element of an array, read straight from its storage where it holds a number or a Boolean.
Status AppendElement(std::string& out, const VArray& array, std::size_t flat,
                     SingleTexts& singles) {
  if (const auto singles_stored = array.Elements<float>(); !singles_stored.empty()) {
    const float f = singles_stored[flat];
    if (!std::isfinite(f)) return Error::InvalidInput(": a Single that is not finite");
    singles.Append(out, f);
    return Ok{};
  }
  if (const auto integers = array.Elements<std::int16_t>(); !integers.empty()) {
    AppendInteger(out, integers[flat]);
    return Ok{};
  }
  if (const auto booleans = array.Elements<unsigned char>(); !booleans.empty()) {
    out += booleans[flat] != 0 ? "true" : "false";
    return Ok{};
  }
  return AppendScalar(out, array.At(flat), {}, singles);
}

// "XData(5)" or "Ucl(5, 1)", for messages.
std::string Where(std::string_view name, const VArray& array, std::size_t flat,
                  std::size_t columns) {
  return std::string(name) + "(" + std::to_string(flat / columns) +
         (array.rank() == 2 ? ", " + std::to_string(flat % columns) : "") + ")";
}

// The items of an array, one after another in `text`, each ending where `ends` says: its
// elements, or its rows as lists.
Status AppendItems(const VArray& array, std::string_view name, std::string& text,
                   std::vector<std::size_t>& ends, SingleTexts& singles) {
  const std::size_t columns =
      array.rank() == 2 ? static_cast<std::size_t>(array.bounds(1).count()) : 1;
  for (std::size_t flat = 0; flat < array.size(); flat += columns) {
    if (array.rank() == 2) text += '[';
    for (std::size_t c = 0; c < columns; ++c) {
      if (c > 0) text += ", ";
      if (Status put = AppendElement(text, array, flat + c, singles); !put)
        return Error::InvalidInput(Where(name, array, flat + c, columns) + put.error().message());
    }
    if (array.rank() == 2) text += ']';
    ends.push_back(text.size());
  }
  return Ok{};
}

// The list of the items on one line when it fits, else wrapped: each line filled up to 100
// columns.
void AppendList(std::string& out, std::string_view items, const std::vector<std::size_t>& ends,
                std::size_t key_width) {
  std::size_t one_line = 0;
  for (std::size_t k = 0, from = 0; k < ends.size(); from = ends[k++])
    one_line += (k > 0 ? 2 : 0) + (ends[k] - from);
  if (key_width + one_line + 6 <= kWidth) {
    out += '[';
    for (std::size_t k = 0, from = 0; k < ends.size(); from = ends[k++])
      (out += k > 0 ? ", " : "").append(items.substr(from, ends[k] - from));
    out += ']';
    return;
  }
  out += '[';
  if (ends.empty()) out += "\n    ";
  std::size_t line = 0;  // the length of the line so far, without its indent
  for (std::size_t k = 0, from = 0; k < ends.size(); from = ends[k++]) {
    const std::string_view item = items.substr(from, ends[k] - from);
    if (line > 0 && 4 + line + 2 + item.size() + 2 > kWidth) {
      out += ',';
      line = 0;
    }
    out += line == 0 ? "\n    " : ", ";
    out.append(item);
    line += (line > 0 ? 2 : 0) + item.size();
  }
  out += "\n  ]";
}

}  // namespace

Result<std::string> ChartFileText(const ChartMembers& members) {
  std::string text = "{";
  std::string items;
  std::vector<std::size_t> ends;
  SingleTexts singles;
  for (const ChartMember& m : members) {
    const std::string_view name = Info(m.id).name;
    text += &m == &members.front() ? "\n  " : ",\n  ";
    const std::size_t key_start = text.size();
    if (Status key = AppendScalar(text, Variant(std::string(name)), name, singles); !key)
      return key.error();
    const std::size_t key_width = text.size() - key_start;
    text += ": ";
    if (m.value.IsArray()) {
      items.clear();
      ends.clear();
      if (Status put = AppendItems(m.value.array(), name, items, ends, singles); !put)
        return put.error();
      AppendList(text, items, ends, key_width);
    } else if (Status put = AppendScalar(text, m.value, name, singles); !put) {
      return put.error();
    }
  }
  text += "\n}\n";
  return text;
}

}  // namespace ostrevin
