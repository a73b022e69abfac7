// `ostrevin chart` from end to end: small tables of each kind become chart files that
// `ostrevin diagnose` reads, and the reports show the limits and signals worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

class ChartCommandTest : public ScratchTest {
 protected:
  // Builds the chart of `csv` with `options`, diagnoses it with the default tests and compares
  // the whole report with the golden file `golden`.txt.
  void ExpectReport(const std::string& golden, const std::string& kind, const std::string& csv,
                    std::vector<std::string> options = {}) {
    const std::string chart = (dir / (kind + ".json")).string();
    std::vector<std::string> args = {"chart", kind, Write(kind + ".csv", csv), "-o", chart};
    args.insert(args.end(), options.begin(), options.end());
    CommandRun built = RunOstrevin(args);
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out + built.err, "");
    CommandRun diagnosed = RunOstrevin(
        {"diagnose", chart, "--settings", (dir / "none.ini").string(), "--date-time", "now"});
    EXPECT_EQ(diagnosed.status, 0) << diagnosed.err;
    EXPECT_EQ(diagnosed.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / (golden + ".txt")));
  }
};

// Mean 89/8 = 11.125 and mean moving range 12/7 = 1.714286 in the first split: limits
// 11.125 ± 2.66 × 1.714286 and a moving-range UCL of 3.267 × 1.714286, which the 8th point and
// its range of 6 pass. The second split: mean 20.5, every range 1.
TEST_F(ChartCommandTest, IndividualsWithLabelsAndASplit) {
  const std::string csv =
      "day,weight\r\nd1,10\r\nd2,11\r\nd3,10\r\n\r\nd4,11\r\nd5,10\r\nd6,11\r\nd7,10\r\n"
      "\"d8, late\",16\r\nd9,20\r\nd10,21\r\nd11,20\r\nd12,21\r\nd13,20\r\nd14,21\r\n";
  ExpectReport("chart-xmr-two-periods", "xmr", csv,
               {"--labels", "day", "--split-at", "9", "--title", "Two periods"});
}

// Subgroup means 11, 12, 11, 12, 21 (grand mean 13.4); every range 2 and every S.D. 1. With n = 3:
// 13.4 ± 1.023 × 2 and D4 × 2 = 5.148 for ranges; 13.4 ± 1.954 × 1 and B4 = 2.568 for S.D.s.
TEST_F(ChartCommandTest, SubgroupMeansWithRangesOrSDs) {
  const std::string csv = "a,b,c\n10,11,12\n11,12,13\n10,12,11\n12,11,13\n20,21,22\n";
  ExpectReport("chart-xbar-r", "xbar-r", csv);
  ExpectReport("chart-xbar-s", "xbar-s", csv);
}

// p̄ = 23/600. For n = 200 the UCL is p̄ + 3·√(p̄(1 − p̄)/200) = 0.07906, which W2 (0.09) passes
// although it stays under the 0.09593 of n = 100: each place is judged by its own limits.
TEST_F(ChartCommandTest, ProportionsJudgedByTheLimitsOfTheirOwnSampleSize) {
  const std::string csv =
      "Week;Defective;Inspected\nW1;2;100\nW2;18;200\nW3;1;100\n"
      "W4;2;100\nW5;0;100\n";
  ExpectReport("chart-p", "p", csv, {"--labels", "Week"});
}

// Long enough for the file to be written in more than one stretch.
TEST_F(ChartCommandTest, WithoutOutputFileWritesTheChartToStandardOutput) {
  std::string rows = "v\n";
  for (int k = 0; k < 10000; ++k) rows += std::to_string(500 + k % 7) + ".25\n";
  const std::string csv = Write("d.csv", rows);
  CommandRun to_file = RunOstrevin({"chart", "xmr", csv, "-o", (dir / "c.json").string()});
  CommandRun to_out = RunOstrevin({"chart", "xmr", csv});
  EXPECT_EQ(to_out.status, 0);
  EXPECT_GT(to_out.out.size(), std::size_t{1} << 20);
  EXPECT_EQ(to_out.out, FileText(dir / "c.json"));
}

// The messages themselves are the chart builder's, tested there; one of the table and one of
// the limits show how the command passes them on.
TEST_F(ChartCommandTest, BadDataRowFailsNamingFileRowAndReason) {
  struct Case {
    std::string kind, csv, message;
  };
  const Case cases[] = {
      {"xmr", "weight\n10\n\nten\n", "row 4, column \"weight\": \"ten\" is not a number"},
      {"xbar-r", "a,b\n1,1\n3,3\n",
       "split 1 (place numbers 1 to 2): every range is 0, so there are no control limits to "
       "work out"},
      // Found while the file is written: the temporary file goes again.
      {"xmr", "day,v\ncaf\xe9,1\nb,2\nc,4\n",
       "HAxL(0): text that is not UTF-8 cannot be written to a chart file"},
  };
  for (const Case& c : cases) {
    const std::string data = Write("bad.csv", c.csv);
    const std::string chart = (dir / "bad.json").string();
    CommandRun run = RunOstrevin({"chart", c.kind, data, "-o", chart});
    EXPECT_EQ(run.status, 1) << c.csv;
    EXPECT_EQ(run.err, "ostrevin: " + data + ": " + c.message + "\n");
    EXPECT_FALSE(fs::exists(chart)) << c.csv;
    for (const fs::directory_entry& left : fs::directory_iterator(dir))
      EXPECT_EQ(left.path().string().find(".tmp."), std::string::npos) << left.path();
  }
}

}  // namespace
}  // namespace ostrevin
