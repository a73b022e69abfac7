// `ostrevin add` and `ostrevin chart --baseline` from end to end: a week of measurements against
// limits fixed from a baseline, rows added later giving the chart a baseline would have given,
// and refused rows leaving the chart file as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

class AddCommandTest : public ScratchTest {
 protected:
  CommandRun Run(std::vector<std::string> args) {
    CommandRun run = RunOstrevin(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run;
  }
  std::string Diagnose(const std::string& chart, const std::string& more = "--save") {
    return Run({"diagnose", chart, more, "--settings", (dir / "none.ini").string(), "--date-time",
                "now"})
        .out;
  }
};

// Ten values of mean 11.5 and mean moving range 13/9 set the limits 11.5 ± 2.66 × 13/9
// (7.657778, 15.34222) and the moving-range UCL 3.267 × 13/9 = 4.719. Against them 16 (place 12)
// and its range of 5 to 11 signal; added later, 7 (place 14) falls below the LCL, while its
// ranges of 4 stay under 4.719, the one across the join included.
TEST_F(AddCommandTest, BaselineThenNewDaysAreReportedOnce) {
  const std::string week =
      "Day,mm\nMon 1,10\nTue 1,12\nWed 1,11\nThu 1,13\nFri 1,12\nMon 2,11\nTue 2,10\nWed 2,12\n"
      "Thu 2,13\nFri 2,11\nMon 3,12\nTue 3,16\nWed 3,11\n";
  const std::string chart = (dir / "bore.json").string();
  Run({"chart", "xmr", Write("week.csv", week), "--labels", "Day", "--baseline", "10", "--title",
       "Bore", "-o", chart});
  EXPECT_EQ(Diagnose(chart), FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "add-baseline.txt"));
  const std::string saved = FileText(chart);
  const std::string more = (dir / "more.json").string();
  Run({"add", chart, Write("days.csv", "Day,mm\nThu 3,7\nFri 3,11\n"), "--labels", "Day", "-o",
       more});
  EXPECT_EQ(FileText(chart), saved);
  EXPECT_EQ(Diagnose(more), FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "add-more.txt"));
  Run({"add", more, Write("day.csv", "Day,mm\nMon 4,12\n"), "--labels", "Day"});
  const std::string next = Diagnose(more);
  EXPECT_EQ(next.substr(0, next.find("Date")),
            "Diagnostics report for Bore\nStarting at Mon 4 (Place number 16) to Mon 4 (Place "
            "number 16)\n[Last diagnosis finished at Fri 3 (Place number 15).]\n");
}

// Rows added in two goes give the chart file that --baseline gives for all of them at once (the
// baseline split in two): the extras split, moving ranges and subgroup statistics across the joins,
// and the lines of every place (on p and u charts, for each row's own sample size).
TEST_F(AddCommandTest, AddingRowsGivesWhatABaselineGives) {
  struct Case {
    std::string kind, header;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"xmr", "x", {"10.1", "12.3", "11.7", "13", "12.2", "9.8", "14.6", "11.1"}},
      {"xbar-r", "a,b,c", {"1.1,2,3", "2,2.5,4", "3,1,2", "2,4,1", "9,8,1", "2,2,2.2", "5,1,3"}},
      {"xbar-s", "a,b", {"1.1,2", "2,2.5", "3,1", "2,4", "9,8", "2,2", "5,1"}},
      {"p", "d,n", {"3,50", "5,50", "2,60", "4,50", "9,80", "1,40", "6,50", "0,50"}},
      {"u", "c,n", {"3,5", "5,5", "2,6", "4,5", "9,8", "1,4.5", "6,5", "0,5"}},
      {"c", "c", {"3", "5", "2", "4", "9", "1", "6", "0"}},
      {"np", "d,n", {"3,50", "5,50", "2,50", "4,50", "9,50", "1,50", "6,50", "0,50"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    std::string all = c.header + "\n", first = all, second = all, third = all;
    for (std::size_t k = 0; k < c.rows.size(); ++k) {
      all += c.rows[k] + "\n";
      (k < 4 ? first : k < 6 ? second : third) += c.rows[k] + "\n";
    }
    const std::string whole = (dir / "whole.json").string(), grown = (dir / "grown.json").string();
    Run({"chart", c.kind, Write("all.csv", all), "--baseline", "4", "--split-at", "3", "-o",
         whole});
    Run({"chart", c.kind, Write("first.csv", first), "--split-at", "3", "-o", grown});
    Run({"add", grown, Write("second.csv", second)});
    Run({"add", grown, Write("third.csv", third)});
    EXPECT_EQ(Run({"dump", grown}).out, Run({"dump", whole}).out);
  }
}

// "-" reads the rows from standard input; words in the first column label the places, and a
// blank cell is a place without a value, with no moving range on either side of it.
TEST_F(AddCommandTest, RowsFromStandardInputWithABlankCell) {
  const std::string chart = (dir / "stdin.json").string();
  EXPECT_EQ(RunOstrevin({"chart", "xmr", "-", "-o", chart}, "Day,mm\nd1,1\nd2,2\nd3,4\n").status,
            0);
  const CommandRun added = RunOstrevin({"add", chart, "-"}, "Day,mm\nd4,\nd5,3\n");
  EXPECT_EQ(added.status, 0) << added.err;
  const ChartObject c = ReadChart(chart);
  EXPECT_EQ(Get(c, "HAxL", {3}), Variant("d4"));
  EXPECT_EQ(Get(c, "XDataI", {3}), Variant(std::int16_t{0}));
  EXPECT_EQ(Get(c, "XData", {4}), Variant(3.0f));
  EXPECT_EQ(Get(c, "RDataI", {2}), Variant(std::int16_t{0}));
  EXPECT_EQ(Get(c, "RDataI", {3}), Variant(std::int16_t{0}));
  EXPECT_EQ(RunOstrevin({"add", chart, "-"}, "Day,mm\nd6,x\n").err,
            "ostrevin: standard input: row 2, column \"mm\": \"x\" is not a number (--labels "
            "COLUMN names the column that labels the places)\n");
}

TEST_F(AddCommandTest, RefusedRowsLeaveTheChartAsItWas) {
  const std::string xmr = (dir / "xmr.json").string(), xbar = (dir / "xbar.json").string();
  const std::string np = (dir / "np.json").string();
  Run({"chart", "np", Write("n.csv", "d,n\n1,20\n2,20\n"), "-o", np});
  Run({"chart", "xmr", Write("x.csv", "x\n1\n2\n3\n5\n"), "--split-at", "3", "-o", xmr});
  Run({"chart", "xbar-r", Write("g.csv", "a,b\n1,2\n2,4\n"), "-o", xbar});
  // A chart whose splits end before its last place: nowhere to put new places.
  const std::string cut = Write("cut.json", [&] {
    std::string text = FileText(xmr);
    const std::string split = "\"Split\": [0, 2, 4]";
    text.replace(text.find(split), split.size(), "\"Split\": [0, 2, 3]");
    return text;
  }());
  // A chart whose values were put from index 1: the new places have no index to go to.
  const std::string from_one = Write("from-one.json", [&] {
    std::string text = FileText(xmr);
    const std::string values = "\"XData\": [";
    text.replace(text.find(values), values.size(), "\"XData\": {\"lbound\": 1, \"values\": [");
    text.insert(text.find(']', text.find("\"lbound\": 1")) + 1, "}");
    return text;
  }());
  std::string max_rows = "x\n";
  for (int k = 0; k < 32764; ++k) max_rows += std::to_string(k % 7) + "\n";
  const std::string rows = (dir / "rows.csv").string();
  struct Case {
    std::string chart, csv, message;
  };
  const Case cases[] = {
      {xmr, "x\n4\nfive\n", rows + ": row 3, column \"x\": \"five\" is not a number"},
      {xmr, "x\n", rows + ": no data rows to add"},
      {xbar, "a,b,c\n1,2,3\n",
       rows + ": the chart's subgroups hold 2 values; the table has 3 value columns"},
      {np, "d,n\n3,20\n2,25\n",
       rows + ": row 3, column \"n\": an np chart inspects 20 in every row; a p chart takes "
              "sample sizes that vary"},
      {cut, "x\n4\n", cut + ": the chart's splits end at place 2, not at its last place 3"},
      {from_one, "x\n4\n", from_one + ": XData does not start at index 0"},
      {xmr, max_rows,
       xmr + ": too many values: a chart holds at most 32767, with these rows it "
             "would hold 32768"},
  };
  for (const Case& c : cases) {
    const std::string before = FileText(c.chart);
    CommandRun run = RunOstrevin({"add", c.chart, Write("rows.csv", c.csv)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "ostrevin: " + c.message + "\n");
    EXPECT_EQ(FileText(c.chart), before);
  }
  // At the place limit a chart takes no more rows; other kinds of chart none at all.
  Run({"add", xmr, Write("rows.csv", max_rows.substr(0, max_rows.size() - 2))});
  EXPECT_EQ(RunOstrevin({"add", xmr, Write("one.csv", "x\n1\n")}).err,
            "ostrevin: " + xmr +
                ": too many values: a chart holds at most 32767, with these rows it would hold "
                "32768\n");
  std::string cusum = FileText(xmr);
  cusum.replace(cusum.find("\"CType\": -1"), 11, "\"CType\": -7");
  std::ofstream(xmr, std::ios::binary) << cusum;
  EXPECT_NE(RunOstrevin({"add", xmr, Write("one.csv", "x\n1\n")})
                .err.find("a chart of CType -7 cannot take new rows"),
            std::string::npos);
}

}  // namespace
}  // namespace ostrevin
