#include "chart/csv_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevin {
namespace {

// Each text as "separator|header fields|row: fields|...", or the message of its first bad row.
std::string Described(std::string_view text) {
  Result<CsvTable> table = ReadCsv(text);
  if (!table) return table.error().message();
  auto join = [](const auto& fields) {
    std::string out;
    for (std::string_view f : fields)
      out += (out.empty() ? "" : ",") + ("[" + std::string(f) + "]");
    return out;
  };
  std::string out = std::string(1, table->separator) + "|" + join(table->header);
  for (std::size_t k = 0; k < table->size(); ++k)
    out += "|" + std::to_string(table->Record(k).row) + ": " + join(table->Record(k).fields);
  return out;
}

TEST(CsvReaderTest, ReadsTablesAndNamesTheFirstBadRow) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a;b\r\n1,5;2\r\n", ";|[a],[b]|2: [1,5],[2]"},
      {"n,v\n\"Smith, J\",3\n\"say \"\"hi\"\"\",\"\"\n",
       ",|[n],[v]|2: [Smith, J],[3]|3: [say \"hi\"],[]"},
      {"\n a ,b\n\n1,2\n  \n3,4", ",|[ a ],[b]|4: [1],[2]|6: [3],[4]"},
      {"a,b\n\"x\ny\",1\n2,3\n", ",|[a],[b]|2: [x\ny],[1]|4: [2],[3]"},
      {"\xEF\xBB\xBFv\n7\n", ",|[v]|2: [7]"},
      {"\"a;b\",c\n1,2\n", ",|[a;b],[c]|2: [1],[2]"},
      {"a,b\n1,2\n\n3\n4,5,6\n", "row 4: expected 2 fields as in the header, found 1"},
      {"a\n1\n\"open\n2\n", "row 3: a quoted field is not closed"},
      {"a,b\n1,\"x\"y\n", "row 2: text after the closing quote of field 2"},
      {"a,b\r\n\"x\r\ny\",1\r\n2\r\n", "row 4: expected 2 fields as in the header, found 1"},
      {"\n  \n", "no header row"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Described(text), expected) << text;
}

// The text may be a view into a larger buffer: what follows it is never read.
TEST(CsvReaderTest, ReadsNothingBeyondItsText) {
  const std::pair<std::string_view, std::vector<std::string>> cases[] = {
      {std::string_view("a,b\n1,2,", 7), {"1", "2"}},  // a separator just past the end
      {std::string_view("a\n\"x\"\"", 5), {"x"}},      // a quote just past the closing one
  };
  for (const auto& [text, fields] : cases) {
    Result<CsvTable> table = ReadCsv(text);
    ASSERT_TRUE(table.ok()) << table.error().message();
    ASSERT_EQ(table->size(), 1u);
    EXPECT_TRUE(std::ranges::equal(table->Record(0).fields, fields));
  }
}

}  // namespace
}  // namespace ostrevin
