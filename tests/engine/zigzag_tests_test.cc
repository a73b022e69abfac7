#include "engine/zigzag_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signal_bench.h"

namespace ostrevin {
namespace {

std::string Zigzag(int count, int a, int b) {
  return std::to_string(count) + " consecutive points were found to be ZIGZAGGING, starting at D" +
         std::to_string(a) + " (" + std::to_string(a) + ") to D" + std::to_string(b) + " (" +
         std::to_string(b) + ")\r\n";
}

const std::string kOpening = "Zigzagging pattern repeating itself ";
const std::string kOptions = " with the following options: \r\n";
const std::string kAbout = "          zigzagging must be about the central line";
const std::string kFrom1SD =
    "          the points must lie at least 1SD away from the central line";
const std::string kDistance =
    "          there must be a distance of at least 1SD between any two consecutive points";

class ZigZagTest : public SignalTestBench {
 protected:
  ZigZagTest() : SignalTestBench(20) {
    data().SetMx(1, 10).ValueOrThrow();
    data().SetMr(1, 10).ValueOrThrow();
  }

  // R, and the options about, from-1-SD and distance as three letters: "adx" = about and distance.
  void Settings(const char* repeats, std::string_view options) {
    settings.SaveSignificance("ZigZagRepeats", repeats);
    settings.SaveSignificance("ZigZagAboutCentralLine", options[0] == 'a' ? "-1" : "0");
    settings.SaveSignificance("ZigZagFrom1SD", options[1] == 'f' ? "-1" : "0");
    settings.SaveSignificance("ZigZagAtLeastSDDistanceSignificant", options[2] == 'd' ? "-1" : "0");
  }

  std::string Run(const std::vector<float>& values, std::int16_t run_first = 0,
                  std::int16_t graph = 0) {
    return SignalTestBench::Run(TestId::kZigZag, values, run_first, 0, graph);
  }
};

TEST_F(ZigZagTest, ExplanationListsTheOptionsInForce) {
  const std::string every_option = kOpening + "7 times (i.e. 14 consecutive points)" + kOptions +
                                   kAbout + ",\r\n" + kFrom1SD + ",\r\n" + kDistance + ".";
  EXPECT_EQ(Run({10, 11}), "");  // an empty store: R 7 and every option
  EXPECT_EQ(explanation, every_option);
  EXPECT_EQ(Run({10}), "");  // a single record has an SD too
  EXPECT_EQ(explanation, every_option);
  struct Row {
    const char* repeats;
    std::string_view options;
    std::string explanation, findings;
  };
  const std::string all = Zigzag(8, 1, 8) + "\r\n";
  const Row rows[] = {
      {"2", "xxx", kOpening + "2 times (i.e. 4 consecutive points).", all},
      {"3", "xxd", kOpening + "3 times (i.e. 6 consecutive points)" + kOptions + kDistance + ".",
       all},
      {"3", "afx",
       kOpening + "3 times (i.e. 6 consecutive points)" + kOptions + kAbout + ",\r\n" + kFrom1SD +
           ".",
       ""},
      // Repeat counts out of range are explained as usual, but nothing is looked at.
      {"0", "xxx", kOpening + "0 times (i.e. 0 consecutive points).", ""},
      {"-3", "xxx", kOpening + "-3 times (i.e. -6 consecutive points).", ""},
      {"16384", "xxx", kOpening + "16384 times (i.e. 32768 consecutive points).", ""},
  };
  for (const Row& row : rows) {
    Settings(row.repeats, row.options);
    EXPECT_EQ(Run({10, 12, 11, 13, 12, 14, 13, 15}, 2), row.findings) << row.repeats;
    EXPECT_EQ(explanation, row.explanation);
  }
  chart.Hide(0, 0, 0, LineUCL).Hide(0, 0, 0, LineLCL);  // no SD at the first record examined
  Settings("7", "afd");
  Run({10, 11});
  EXPECT_EQ(explanation,
            kOpening + "7 times (i.e. 14 consecutive points)" + kOptions + kAbout + ".");
}

TEST_F(ZigZagTest, FindsStretchesByEachWayOfClassifying) {
  struct Row {
    const char* repeats;
    std::string_view options;
    std::vector<float> values;
    std::int16_t run_first;
    std::string expected;
    float ucl = 13, lcl = 7;
  };
  const Row rows[] = {
      {"2", "xxx", {10, 12, 11, 13, 12, 12}, 0, Zigzag(5, 1, 5) + "\r\n"},  // steps 1 -1 1 -1 0
      {"2", "xxd", {10, 12, 11, 13, 12, 12}, 0, "", 14.5f, 5.5f},  // steps under SD 1.5 are 0
      {"2", "xfx", {11.5f, 8.5f, 11.5f, 8.5f}, 0, Zigzag(4, 1, 4) + "\r\n"},
      {"2", "xfx", {11.5f, 8.5f, 11, 8.5f}, 0, ""},     // exactly CL + SD lies between
      {"2", "xfx", {11.5f, 9.5f, 11.5f, 9.5f}, 0, ""},  // so does anything within 1 SD below
      {"2", "axd", {10.5f, 9.5f, 10.5f, 9.5f}, 0, Zigzag(4, 1, 4) + "\r\n"},  // exactly 1 SD apart
      // About the own central line: a pair on one side splits two zigzags.
      {"2", "axx", {11, 9, 11, 9, 9, 11, 9, 11, 9}, 0, Zigzag(4, 1, 4) + Zigzag(5, 5, 9) + "\r\n"},
      // With option distance, sides less than one SD apart do not alternate.
      {"2", "axd", {10.2f, 9.8f, 10.2f, 9.8f, 11, 9, 11, 9}, 0, Zigzag(5, 4, 8) + "\r\n"},
      // Started long before the run start: reported from the scan start.
      {"2", "axx", {11, 9, 11, 9, 11, 9, 11, 9, 11, 9}, 7, Zigzag(6, 5, 10) + "\r\n"},
      // Steps 1 -1 1 1 -1 1: a window qualifies, but no 4 alternating pairs in a row.
      {"3", "xxx", {0, 1, 0, 1, 2, 1, 2}, 0, "\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.values));
    Settings(row.repeats, row.options);
    chart.Lines(0, 0, 19, row.ucl, 10, row.lcl);
    EXPECT_EQ(Run(row.values, row.run_first), row.expected);
  }
  // A place without a value breaks the zigzag: D1 to D3 are too few, D5 to D8 are enough.
  Settings("2", "xxx");
  data().SetPGVI(3, 0).ValueOrThrow();
  EXPECT_EQ(Run({10, 12, 11, 13, 12, 11, 13, 12}), Zigzag(4, 5, 8) + "\r\n");
}

TEST_F(ZigZagTest, WhereTheTestApplies) {
  struct Row {
    std::int16_t ctype, graph, split_run, split_none;
    bool trend_line;
    std::string_view options;
    bool applies;
  };
  const Row rows[] = {
      {-2, 0, 0, 0, false, "afd", true},  {-1, 1, 0, 0, false, "xxx", false},
      {-3, 1, 0, 0, true, "xxx", true},   {-2, 0, 0, 0, true, "xxx", false},
      {-2, 0, 0, 1, false, "xxx", true},  {-2, 0, 0, 1, false, "axx", false},
      {-2, 0, 1, 0, false, "xfx", false}, {-2, 0, 1, 0, false, "axx", true},
      {0, 0, 0, 0, false, "xxd", false},  {0, 0, 0, 0, false, "axx", true},
  };
  for (const Row& row : rows) {
    data().SetCType(row.ctype);
    data().SetSplitRun(0, row.split_run).ValueOrThrow();
    data().SetSplitNone(0, row.split_none).ValueOrThrow();
    data().SetblnTrend(1, row.trend_line).ValueOrThrow();
    Settings("2", row.options);
    EXPECT_EQ(Run({12, 8, 12, 8, 12}, 0, row.graph), row.applies ? Zigzag(5, 1, 5) + "\r\n" : "")
        << row.ctype << " " << row.options;
    EXPECT_EQ(explanation.empty(), !row.applies) << row.ctype << " " << row.options;
  }
}

}  // namespace
}  // namespace ostrevin
