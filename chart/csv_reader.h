#ifndef OSTREVIN_CHART_CSV_READER_H_
#define OSTREVIN_CHART_CSV_READER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "values/error.h"

namespace ostrevin {

// One record of a CSV file and the row it starts on (the file's line number, 1 for the header,
// as a spreadsheet numbers its rows).
struct CsvRow {
  std::int32_t row = 0;
  std::vector<std::string> fields;
};

struct CsvTable {
  char separator = ',';
  std::vector<std::string> header;
  std::vector<CsvRow> rows;

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
