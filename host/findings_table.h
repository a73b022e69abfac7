#ifndef OSTREVIN_HOST_FINDINGS_TABLE_H_
#define OSTREVIN_HOST_FINDINGS_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "values/error.h"

namespace ostrevin {

// One finding line of a report, as a row: where it lies and what found it.
struct FindingRow {
  std::int16_t graph = 0;
  std::int16_t split = 0;
  std::string test;  // the test's settings key
  std::int16_t first_place = 0;
  std::string first_label;
  std::int16_t last_place = 0;
  std::string last_label;
  std::int32_t count = 0;
  std::string side;  // "above" or "below", "up" or "down" for a trend, else empty
};

// Every finding of a findings JSON document (docs/findings-json.md), in the report's order; none
// when nothing was diagnosed. Fails with a message naming what cannot be read.
Result<std::vector<FindingRow>> ReadFindingRows(std::string_view json);

// The rows as CSV (RFC 4180, CR LF line breaks), under a header row naming the columns.
std::string FindingsCsv(const std::vector<FindingRow>& rows);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_FINDINGS_TABLE_H_
