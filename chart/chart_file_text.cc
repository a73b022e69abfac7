// Writes chart files:
//
//   file   := "{" LF member { "," LF member } LF "}" LF
//   member := "  " key ": " value
//   value  := scalar | "[" items "]" | "[" LF "    " items { "," LF "    " items } LF "  ]"
//   items  := item { ", " item }        item := scalar | "[" scalar { ", " scalar } "]"
//
// A list is wrapped when its line would pass 100 columns, filling each line up to 100.

#include "chart/chart_file_text.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace ostrevin {
namespace {

// Floats are dumped as floats, so their text is the shortest one for 32 bits.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

constexpr std::size_t kWidth = 100;

// A whole Single is written as an integer, as the container's own writer does; -0 keeps its sign.
Json SingleJson(float f) {
  if (f == std::trunc(f) && std::fabs(f) < 1e15f && !(f == 0 && std::signbit(f)))
    return static_cast<std::int64_t>(f);
  return f;
}

Result<std::string> ScalarText(const Variant& v, std::string_view where) {
  Json j;
  switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
      j = *v.ToLong();
      break;
    case VarType::Single:
      if (!std::isfinite(*v.ToSingle()))
        return Error::InvalidInput(std::string(where) + ": a Single that is not finite");
      j = SingleJson(*v.ToSingle());
      break;
    case VarType::Boolean:
      j = *v.ToBoolean();
      break;
    default:
      j = *v.ToString();
  }
  try {
    return j.dump();
  } catch (const Json::exception&) {
    return Error::InvalidInput(std::string(where) + ": a text that is not UTF-8");
  }
}

// The items of an array: its elements, or its rows as lists.
Result<std::vector<std::string>> Items(const VArray& array, std::string_view name) {
  std::vector<std::string> items;
  const std::size_t columns =
      array.rank() == 2 ? static_cast<std::size_t>(array.bounds(1).count()) : 1;
  for (std::size_t flat = 0; flat < array.size(); flat += columns) {
    std::string item = array.rank() == 2 ? "[" : "";
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string where = std::string(name) + "(" + std::to_string(flat / columns) +
                                (array.rank() == 2 ? ", " + std::to_string(c) : "") + ")";
      Result<std::string> text = ScalarText(array.At(flat + c), where);
      if (!text) return text.error();
      item += (c > 0 ? ", " : "") + *text;
    }
    items.push_back(array.rank() == 2 ? item + "]" : item);
  }
  return items;
}

std::string ListText(const std::vector<std::string>& items, std::size_t key_width) {
  std::string one_line;
  for (const std::string& item : items) one_line += (one_line.empty() ? "" : ", ") + item;
  if (key_width + one_line.size() + 6 <= kWidth) return "[" + one_line + "]";
  std::string text = "[", line;
  for (const std::string& item : items) {
    if (!line.empty() && 4 + line.size() + 2 + item.size() + 2 > kWidth) {
      text += "\n    " + line + ",";
      line.clear();
    }
    line += (line.empty() ? "" : ", ") + item;
  }
  return text + "\n    " + line + "\n  ]";
}

}  // namespace

Result<std::string> ChartFileText(const ChartMembers& members) {
  std::string text = "{";
  for (const ChartMember& m : members) {
    const std::string_view name = Info(m.id).name;
    const std::string key = Json(std::string(name)).dump();
    Result<std::string> value = std::string();
    if (m.value.IsArray()) {
      Result<std::vector<std::string>> items = Items(m.value.array(), name);
      if (!items) return items.error();
      value = ListText(*items, key.size());
    } else {
      value = ScalarText(m.value, name);
    }
    if (!value) return value.error();
    text += (&m == &members.front() ? "\n  " : ",\n  ") + key + ": " + *value;
  }
  return text + "\n}\n";
}

}  // namespace ostrevin
