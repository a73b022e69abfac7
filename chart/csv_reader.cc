// CSV as read here:
//
//   file    := [BOM] { blank-row } header { row | blank-row }
//   row     := field { SEP field } (BREAK | end of text)
//   field   := quoted | plain
//   quoted  := '"' { any character but '"' | '""' } '"'     ('""' stands for one '"')
//   plain   := { any character but SEP and line breaks }
//   BREAK   := LF | CR LF | CR
//
// SEP is a tab, ';' or ',' (chosen from the header). A blank row is one that holds nothing but
// blanks.

#include "chart/csv_reader.h"

#include <algorithm>
#include <optional>

#include "values/numeric_text.h"

namespace ostrevin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class Parser {
 public:
  Parser(std::string_view text, char separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  // Appends the fields of the next record to `cells`: the row it starts on and how many fields
  // it has, or nullopt (and nothing appended) for a row that holds nothing but blanks.
  struct Record {
    std::int32_t row;
    std::size_t fields;
  };
  Result<std::optional<Record>> NextRecord(std::vector<std::string_view>& cells,
                                           std::deque<std::string>& unescaped) {
    const Record record{line_, 0};
    const std::size_t start = pos_, first = cells.size();
    for (;;) {
      if (Status field = NextField(cells, unescaped, record.row, cells.size() - first + 1); !field)
        return field.error();
      if (AtEnd() || text_[pos_] != separator_) break;
      ++pos_;
    }
    const bool blank = TrimBlanks(text_.substr(start, pos_ - start)).empty();
    if (!AtEnd()) SkipBreak();
    if (blank) {
      cells.resize(first);
      return std::optional<Record>();
    }
    return std::optional<Record>(Record{record.row, cells.size() - first});
  }

 private:
  bool AtBreak() const { return !AtEnd() && (text_[pos_] == '\n' || text_[pos_] == '\r'); }

  void SkipBreak() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  // Appends the field at the read position, field `number` of the record on `row`.
  Status NextField(std::vector<std::string_view>& cells, std::deque<std::string>& unescaped,
                   std::int32_t row, std::size_t number) {
    if (AtEnd() || text_[pos_] != '"') {
      const std::size_t begin = pos_;
      while (!AtEnd() && text_[pos_] != separator_ && !AtBreak()) ++pos_;
      cells.push_back(text_.substr(begin, pos_ - begin));
      return Ok{};
    }
    // The field views the text between its quotes until a doubled quote makes it a text of its
    // own.
    const std::size_t begin = pos_ + 1;
    std::string* value = nullptr;
    for (++pos_;; ++pos_) {
      if (AtEnd())
        return Error::InvalidInput("row " + std::to_string(row) + ": a quoted field is not closed");
      const char c = text_[pos_];
      if (c == '"' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
        if (value == nullptr) value = &unescaped.emplace_back(text_.substr(begin, pos_ - begin));
        *value += '"';
        ++pos_;
      } else if (c == '"') {
        cells.push_back(value != nullptr ? std::string_view(*value)
                                         : text_.substr(begin, pos_ - begin));
        ++pos_;
        break;
      } else {
        if (c == '\n' || (c == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] != '\n')))
          ++line_;
        if (value != nullptr) *value += c;
      }
    }
    if (!AtEnd() && text_[pos_] != separator_ && !AtBreak())
      return Error::InvalidInput("row " + std::to_string(row) +
                                 ": text after the closing quote of field " +
                                 std::to_string(number));
    return Ok{};
  }

  std::string_view text_;
  char separator_;
  std::size_t pos_ = 0;
  std::int32_t line_ = 1;
};

// A tab when the first row holds more tabs than commas and semicolons outside quotes (as a
// spreadsheet copies a table), else ';' when it holds more semicolons than commas, else ','.
char DetectSeparator(std::string_view text) {
  std::size_t commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false, seen = false;
  for (char c : text) {
    if (!quoted && (c == '\n' || c == '\r')) {
      if (seen) break;  // the header ends here; blank rows before it are passed over
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (quoted || c == '"') {
      seen = true;
      continue;
    }
    // Tabs before the first field are blanks; after it, separators.
    tabs += seen && c == '\t';
    seen = seen || (c != ' ' && c != '\t');
    commas += c == ',';
    semicolons += c == ';';
  }
  if (tabs > commas && tabs > semicolons) return '\t';
  return semicolons > commas ? ';' : ',';
}

}  // namespace

std::optional<std::size_t> CsvTable::Column(std::string_view name) const {
  const auto found = std::find_if(header.begin(), header.end(), [&](const std::string& h) {
    return TrimBlanks(h) == TrimBlanks(name);
  });
  if (found == header.end()) return std::nullopt;
  return static_cast<std::size_t>(found - header.begin());
}

Result<CsvTable> ReadCsv(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  CsvTable table;
  table.separator = DetectSeparator(text);
  Parser parser(text, table.separator);
  bool have_header = false;
  while (!parser.AtEnd() && !have_header) {
    Result<std::optional<Parser::Record>> record = parser.NextRecord(table.cells, table.unescaped);
    if (!record) return record.error();
    have_header = record->has_value();
  }
  if (!have_header) return Error::InvalidInput("no header row");
  table.header.assign(table.cells.begin(), table.cells.end());
  table.cells.clear();
  // Room for a record per line, so that the fields are not moved as they come.
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  table.rows.reserve(lines);
  table.cells.reserve(lines * table.header.size());
  while (!parser.AtEnd()) {
    Result<std::optional<Parser::Record>> record = parser.NextRecord(table.cells, table.unescaped);
    if (!record) return record.error();
    if (!*record) continue;
    if ((*record)->fields != table.header.size())
      return Error::InvalidInput("row " + std::to_string((*record)->row) + ": expected " +
                                 std::to_string(table.header.size()) +
                                 " fields as in the header, found " +
                                 std::to_string((*record)->fields));
    table.rows.push_back((*record)->row);
  }
  return table;
}

}  // namespace ostrevin
