#include "chart/csv_reader.h"

#include <gtest/gtest.h>

namespace ostrevin {
namespace {

struct Read {
  const char* name;
  std::string_view text;
  char separator;
  std::vector<std::string> header;
  std::vector<CsvRow> rows;
};

TEST(CsvReaderTest, ReadsTables) {
  const Read cases[] = {
      {"plain", "a,b\n1,2\n3,4\n", ',', {"a", "b"}, {{2, {"1", "2"}}, {3, {"3", "4"}}}},
      {"semicolons, CR LF, decimal commas",
       "a;b\r\n1,5;2\r\n",
       ';',
       {"a", "b"},
       {{2, {"1,5", "2"}}}},
      {"quotes",
       "n,v\n\"Smith, J\",3\n\"say \"\"hi\"\"\",\"\"\n",
       ',',
       {"n", "v"},
       {{2, {"Smith, J", "3"}}, {3, {"say \"hi\"", ""}}}},
      {"blank rows and no final break",
       "\n a ,b\n\n1,2\n  \n3,4",
       ',',
       {" a ", "b"},
       {{4, {"1", "2"}}, {6, {"3", "4"}}}},
      {"line break in quotes",
       "a,b\n\"x\ny\",1\n2,3\n",
       ',',
       {"a", "b"},
       {{2, {"x\ny", "1"}}, {4, {"2", "3"}}}},
      {"byte order mark, one column", "\xEF\xBB\xBFv\n7\n", ',', {"v"}, {{2, {"7"}}}},
      {"separator inside quoted header", "\"a;b\",c\n1,2\n", ',', {"a;b", "c"}, {{2, {"1", "2"}}}},
      {"empty fields", "a,b,c\n,,\n", ',', {"a", "b", "c"}, {{2, {"", "", ""}}}},
  };
  for (const Read& c : cases) {
    SCOPED_TRACE(c.name);
    Result<CsvTable> table = ReadCsv(c.text);
    ASSERT_TRUE(table.ok()) << table.error().message();
    EXPECT_EQ(table->separator, c.separator);
    EXPECT_EQ(table->header, c.header);
    ASSERT_EQ(table->rows.size(), c.rows.size());
    for (std::size_t r = 0; r < c.rows.size(); ++r) {
      EXPECT_EQ(table->rows[r].row, c.rows[r].row);
      EXPECT_EQ(table->rows[r].fields, c.rows[r].fields);
    }
  }
}

TEST(CsvReaderTest, NamesTheFirstBadRow) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a,b\n1,2\n\n3\n4,5,6\n", "row 4: expected 2 fields as in the header, found 1"},
      {"a,b\n1,2,3\n", "row 2: expected 2 fields as in the header, found 3"},
      {"a\n1\n\"open\n2\n", "row 3: a quoted field is not closed"},
      {"a,b\n1,\"x\"y\n", "row 2: text after the closing quote of field 2"},
      {"a,b\n\"x\ny\",1,2\n", "row 2: expected 2 fields as in the header, found 3"},
      {"a,b\r\n\"x\r\ny\",1\r\n2\r\n", "row 4: expected 2 fields as in the header, found 1"},
      {"", "no header row"},
      {"\n  \n", "no header row"},
  };
  for (const auto& [text, message] : cases) {
    Result<CsvTable> table = ReadCsv(text);
    ASSERT_FALSE(table.ok()) << text;
    EXPECT_EQ(table.error().number(), Error::kInvalidInput);
    EXPECT_EQ(table.error().message(), message);
  }
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
    ASSERT_EQ(table->rows.size(), 1u);
    EXPECT_EQ(table->rows[0].fields, fields);
  }
}

}  // namespace
}  // namespace ostrevin
