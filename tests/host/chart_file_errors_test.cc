#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "chartfile/chart_file.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

struct BadInput {
  std::string text;
  std::string expected;  // Error::ToString()
};

// A list of `n` zeros, for arrays too large for 16-bit places.
std::string Zeros(std::size_t n) {
  std::string text = "[0";
  for (std::size_t k = 1; k < n; ++k) text += ",0";
  return text + "]";
}

// The bad-input catalogue holds the commonest of these (NaN, a cut-off file, an unknown member,
// a value of the wrong type or out of range, ragged rows) as a user meets them.
TEST(ChartFileErrorsTest, BadInputsAreNamedExactly) {
  const BadInput cases[] = {
      // Not a chart file at all.
      {"",
       "chart.json:1:1: not valid JSON: syntax error while parsing value - unexpected end "
       "of input; expected '[', '{', or a literal"},
      {"{\"XData\": [-Infinity]}",
       "chart.json:1:13: not valid JSON: syntax error while parsing value - invalid number; "
       "expected digit after '-'; last read: '-I'"},
      // A number may not start with a zero that more digits follow.
      {"{\"CType\": 01}",
       "chart.json:1:12: not valid JSON: syntax error while parsing object - unexpected number "
       "literal; expected '}'"},
      {"{\"XData\": [1, 01.5]}",
       "chart.json:1:18: not valid JSON: syntax error while parsing array - unexpected number "
       "literal; expected ']'"},
      {"[1, 2]", "chart.json: a chart file is one JSON object, not an array"},
      // Members and their values.
      {"{\"Show\": 1}", "chart.json:1: Show: unknown member"},  // a method
      {"{\"CType\": 1,\n\"quickDataTransmit\": true}",
       "chart.json:2: quickDataTransmit: a member the host may only read; a chart file cannot set "
       "it"},
      {"{\"QuorvaVersion\": 3}", "error 13: chart.json:1: QuorvaVersion: needs a string, not 3"},
      {"{\"CType\": 2.5}", "error 13: chart.json:1: CType: needs a whole number, not 2.5"},
      {"{\"TitleCol\": -2147483649}",
       "error 6: chart.json:1: TitleCol: -2147483649 is out of range for a Long"},
      {"{\"UppTol\": 3.5e38}",
       "error 6: chart.json:1: UppTol: 3.5e+38 is out of range for a Single"},
      {"{\"IsDataIn\": \"yes\"}",
       "error 13: chart.json:1: IsDataIn: needs true, false or a number, not a string"},
      {"{\"strQuorvaFileName\": 7}",
       "error 13: chart.json:1: strQuorvaFileName: needs a string, not 7"},
      {"{\"CType\": [1]}", "error 13: chart.json:1: CType: needs a whole number, not an array"},
      {"{\"XData\": 1}", "error 13: chart.json:1: XData: needs an array or an object, not 1"},
      {"{\"XData\": [1, true]}",
       "error 13: chart.json:1: XData: XData(1): needs a number, not a boolean"},
      {"{\"Split\": [0, 20.5]}",
       "error 13: chart.json:1: Split: Split(1): needs a whole number, not 20.5"},
      // Indexes and bounds.
      {"{\"Mx\": {\"0\": 1}}", "error 9: chart.json:1: Mx: Subscript out of range: Mx(0)"},
      {"{\"Ucl\": {\"5,2\": 1}}", "error 9: chart.json:1: Ucl: Subscript out of range: Ucl(5, 2)"},
      {"{\"Ucl\": {\"5\": 1}}", "error 9: chart.json:1: Ucl: Subscript out of range: Ucl(5)"},
      {"{\"Split\": " + Zeros(102) + "}",
       "error 9: chart.json:1: Split: Subscript out of range: Split(101)"},
      {"{\"Mx\": {\"x\": 1}}", "chart.json:1: Mx: \"x\" is not an index like \"5\" or \"5,1\""},
      {"{\"XData\": " + Zeros(32769) + "}",
       "error 9: chart.json:1: XData: Subscript out of range: QuickXData bounds 0 to 32768 "
       "exceed 16-bit places"},
      {"{\"XData\": {\"lbound\": -32769, \"values\": []}}",
       "error 9: chart.json:1: XData: Subscript out of range: QuickXData bounds -32769 to -32770 "
       "exceed 16-bit places"},
      // Two-index lists and the whole-array object.
      {"{\"GV\": {\"lbound\": [3, 0], \"values\": [[1, 2], [3]]}}",
       "chart.json:1: GV: rows differ in length: row 3 has 2 values, row 4 has 1 value"},
      {"{\"PointStatsUcl\": [[1, 2], 3]}",
       "error 13: chart.json:1: PointStatsUcl: row 1: needs an array, not 3"},
      {"{\"Mx\": {\"lbound\": 1, \"values\": [1]}}",
       "error 13: chart.json:1: Mx: Type mismatch: Mx cannot be replaced whole"},
      {"{\"XData\": {\"lbound\": 1}}", "chart.json:1: XData: needs both \"lbound\" and \"values\""},
      {"{\"XData\": {\"lbound\": 1, \"value\": []}}",
       "chart.json:1: XData: unexpected key \"value\" beside \"lbound\""},
      {"{\"XData\": {\"lbound\": 0, \"type\": \"Double\", \"values\": []}}",
       "error 13: chart.json:1: XData: type: needs Integer, Long, Single, Boolean, String or "
       "Variant, not a string"},
      {"{\"XData\": {\"lbound\": [0], \"values\": []}}",
       "error 13: chart.json:1: XData: needs a whole number or a pair of them, not an array"},
      {"{\"XData\": {\"lbound\": 0, \"type\": \"Variant\", \"values\": [[1]]}}",
       "error 13: chart.json:1: XData: XData(0): needs null, true, false, a number, a string, "
       "{\"Integer\": n} or {\"Long\": n}, not an array"},
  };
  for (const BadInput& c : cases) {
    ChartObject data = NewChart();
    Status applied = ApplyChartText(c.text, "chart.json", data);
    ASSERT_FALSE(applied.ok()) << c.text.substr(0, 60);
    EXPECT_EQ(applied.error().ToString(), c.expected) << c.text.substr(0, 60);
  }
}

TEST(ChartFileErrorsTest, TextThatIsNotJsonChangesNothing) {
  ChartObject data = NewChart();
  EXPECT_FALSE(ApplyChartText("{\"CType\": -1, \"TNVal\": }", "chart.json", data).ok());
  EXPECT_EQ(Get(data, "CType"), Variant(std::int16_t{0}));
}

TEST(ChartFileErrorsTest, WriterRefusesWhatJsonCannotHold) {
  ChartObject data = NewChart();
  Set(data, "XData", {3}, std::nanf(""));
  EXPECT_EQ(ChartFileText(data).error().ToString(),
            "XData(3): nan cannot be written to a chart file");
  Set(data, "XData", {3}, 1.0f);
  Set(data, "HAxL", {2}, "caf\xe9");  // Latin-1, not UTF-8
  EXPECT_EQ(ChartFileText(data).error().ToString(),
            "HAxL(2): text that is not UTF-8 cannot be written to a chart file");
  Set(data, "HAxL", {2},
      "\xed"
      "A");  // a lead byte without the bytes it leads
  EXPECT_EQ(ChartFileText(data).error().ToString(),
            "HAxL(2): text that is not UTF-8 cannot be written to a chart file");
}

}  // namespace
}  // namespace ostrevin
