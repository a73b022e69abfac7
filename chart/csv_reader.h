#ifndef OSTREVIN_CHART_CSV_READER_H_
#define OSTREVIN_CHART_CSV_READER_H_

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/error.h"

namespace ostrevin {

// One record of a CSV file: the row it starts on (the file's line number, 1 for the header, as a
// spreadsheet numbers its rows) and its fields, as many as the header's.
struct CsvRow {
  std::int32_t row = 0;
  std::span<const std::string_view> fields;
};

// A table read from a text, whose fields view that text: it lives no longer than the text.
struct CsvTable {
  CsvTable() = default;
  CsvTable(CsvTable&&) = default;  // the fields stay where they are
  CsvTable& operator=(CsvTable&&) = default;
  CsvTable(const CsvTable&) = delete;
  CsvTable& operator=(const CsvTable&) = delete;

  char separator = ',';
  std::vector<std::string> header;
  // The records' fields one record after the other, and the row each record starts on: a table
  // of thousands of rows is two blocks of memory, not one per row. A field views the text, or
  // for a quoted field with a doubled quote in it, the field without its escapes in `unescaped`.
  std::vector<std::string_view> cells;
  std::deque<std::string> unescaped;
  std::vector<std::int32_t> rows;

  std::size_t size() const { return rows.size(); }
  CsvRow Record(std::size_t k) const {
    return {rows[k], std::span(cells).subspan(k * header.size(), header.size())};
  }
  // Index of the header field that equals `name` after trimming blanks on both; nullopt if none.
  std::optional<std::size_t> Column(std::string_view name) const;
};

// Reads CSV text: a header row, then one record per row, every record with as many fields as the
// header. The separator is a tab when the header holds more tabs than commas and semicolons
// (outside quotes), else ';' when it holds more semicolons than commas, else ','. Fields may be
// quoted ("a ""b"", c"), and a quoted field may hold separators and line breaks. Blank rows are
// skipped; LF and CR LF line breaks and a UTF-8 byte order mark are accepted. Fails with
// Error::InvalidInput "row N: reason" for the first bad row.
Result<CsvTable> ReadCsv(std::string_view text);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CSV_READER_H_
