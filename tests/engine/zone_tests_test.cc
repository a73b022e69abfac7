#include "engine/zone_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "signal_bench.h"

namespace ostrevin {
namespace {

struct ZoneTest {
  TestId id;
  std::string heading;
  std::string explanation;
};
const std::string k2Of3 = "The '2 out of 3 consecutive values between 2 and 3 SD' rule ";
const std::string k4Of5 = "The '4 out of 5 consecutive values between 1 and 3 SD' rule ";
const std::string kAbove = "ABOVE the central line detected the following:\r\n";
const std::string kBelow = "BELOW the central line detected the following:\r\n";
const ZoneTest kTests[] = {
    {TestId::k2OutOf3Above, k2Of3 + kAbove,
     "2 out of 3 consecutive points are between 2SD and 3SD ABOVE the central line."},
    {TestId::k2OutOf3Below, k2Of3 + kBelow,
     "2 out of 3 consecutive points are between 2SD and 3SD BELOW the central line."},
    {TestId::k4OutOf5Above, k4Of5 + kAbove,
     "4 out of 5 consecutive points are between 1SD and 3SD ABOVE the central line."},
    {TestId::k4OutOf5Below, k4Of5 + kBelow,
     "4 out of 5 consecutive points are between 1SD and 3SD BELOW the central line."},
    {TestId::kExtremeSwitch, "EXTREME SWITCHING has been detected for the following:\r\n",
     "An Extreme Switch, i.e. the first point is between 2SD and 3SD on one side of the central "
     "line and \r\n          the second point is between 2SD and 3SD on the other side of the "
     "central line."}};
enum { k2Above, k2Below, k4Above, k4Below, kSwitch };

// Places P1..P20, SD 1: the outer zones are 12..13 and 7..8, the 1-to-3 SD zones 11..13 and 7..9.
class ZoneTestsTest : public SignalTestBench {
 protected:
  ZoneTestsTest() : SignalTestBench(20, "P") {}
  std::string Run(int t, const std::vector<float>& values, std::int16_t run_first = 0,
                  std::int16_t split_first = 0, std::int16_t graph = 0) {
    return SignalTestBench::Run(kTests[t].id, values, run_first, split_first, graph);
  }
};

TEST_F(ZoneTestsTest, FindsClustersOfPointsInTheZone) {
  const float below12 = std::nextafter(12.0f, 0.0f), above13 = std::nextafter(13.0f, 20.0f);
  struct Row {
    int test;
    std::vector<float> values;
    std::int16_t run_first;
    std::string lines;  // the range lines; none when nothing is found
  };
  const Row rows[] = {
      {k2Above, {12, 13}, 0, "P1 (1) to P2 (2)\r\n"},  // both bounds; windows cut short
      {k2Above, {below12, 12.5f, above13}, 0, ""},
      {k2Above, {12, 10, 10, 12.5f}, 0, ""},
      {k2Above, {12, 10, 12, 13, 10, 10, 10, 12}, 0, "P1 (1) to P4 (4)\r\n"},
      {k2Above, {12, 12, 10, 10, 13, 13}, 0, "P1 (1) to P2 (2)\r\nP5 (5) to P6 (6)\r\n"},
      {k2Below, {8, 7, 12, 12}, 0, "P1 (1) to P2 (2)\r\n"},
      {k4Above, {11, 13, 10, 12, 11.5f}, 0, "P1 (1) to P5 (5)\r\n"},
      {k4Above, {11, 13, 10, 12, 10}, 0, ""},
      {k4Below, {9, 8, 7, 8.5f, 6.9f}, 0, "P1 (1) to P4 (4)\r\n"},
      {k2Above, {12, 12.5f, 10, 10}, 2, "P1 (1) to P2 (2)\r\n"},  // look-back 2
      {k2Above, {12, 12.5f, 10, 10}, 3, ""},
      {k4Above, {11, 11, 11, 11, 10}, 4, "P1 (1) to P4 (4)\r\n"},  // look-back 4
      {kSwitch, {12.5f, 7.5f}, 0, "P1 (1) to P2 (2)\r\n"},
      {kSwitch, {12.5f, 10, 7.5f}, 0, ""},
      {kSwitch, {12, 7.5f, 8, 13}, 0, "P1 (1) to P4 (4)\r\n"},
      {kSwitch, {12, 7, 10, 8, 12, 13.5f, 7}, 0, "P1 (1) to P2 (2)\r\nP4 (4) to P5 (5)\r\n"},
      {kSwitch, {12.5f, 7.5f, 10}, 1, "P1 (1) to P2 (2)\r\n"},  // look-back 1
      {kSwitch, {12.5f, 7.5f, 10}, 2, ""},
  };
  for (const Row& row : rows) {
    const std::string expected =
        row.lines.empty() ? "" : kTests[row.test].heading + row.lines + "\r\n";
    EXPECT_EQ(Run(row.test, row.values, row.run_first), expected) << "row " << &row - rows;
  }
  EXPECT_EQ(Run(k2Above, {12, 12.5f, 10, 10}, 2, 1), "");  // never looks back before the split

  // What the lines do not show: each point of a cluster is counted once, and the side.
  auto counted = [&](int test, const std::vector<float>& values) {
    Run(test, values);
    std::string out;
    for (const Finding& f : findings)
      out += std::to_string(f.count) + "/" + std::to_string(f.direction) + " ";
    return out;
  };
  EXPECT_EQ(counted(kSwitch, {12.5f, 7.5f, 12.5f, 10, 7, 13}), "3/0 2/0 ");
  EXPECT_EQ(counted(k4Above, {11, 13, 10, 12, 11.5f, 12}), "5/1 ");
  EXPECT_EQ(counted(k2Below, {8, 7, 7.5f, 10, 10, 8, 10, 8}), "3/-1 2/-1 ");
}

TEST_F(ZoneTestsTest, SdEdgeCases) {
  const std::string pair = "P1 (1) to P2 (2)\r\n\r\n";
  chart.data().SetPGVI(1, 0).ValueOrThrow();  // no value: in no zone
  EXPECT_EQ(Run(k2Above, {10, 12.5f, 13}), "");
  chart.data().SetPGVI(1, 1).ValueOrThrow();
  chart.Hide(0, 0, 0, LineCentre);  // SD -1
  EXPECT_EQ(Run(k2Above, {12, 12.5f}), "");

  // SD 1.1f: 0.1f + 2.2f rounds down to 2.3f and 0.1f + 3.3f up to 3.4f; with double bounds
  // both points would lie just outside the zone.
  chart.Lines(0, 0, 19, 3.4f, 0.1f, 0);
  EXPECT_EQ(Run(k2Above, {2.3f, 3.4f}), kTests[k2Above].heading + pair);

  chart.Lines(0, 0, 19, 10, 10, 10);  // SD 0: every zone is the central line
  EXPECT_EQ(Run(k2Above, {10, 10}), kTests[k2Above].heading + pair);
  EXPECT_EQ(Run(k2Below, {10, 10}), kTests[k2Below].heading + pair);
  EXPECT_EQ(Run(kSwitch, {10, 10, 10}), "");  // every point takes the upper code...
  chart.Lines(0, 1, 19, 13, 10, 7);
  EXPECT_EQ(Run(kSwitch, {10, 7.5f}), kTests[kSwitch].heading + pair);  // ...so this switches

  // A forced UCL of level limits is no SD: from the LCL alone, 1, also after a first point
  // without a UCL, whose SD asks nothing of the level.
  chart.Lines(0, 0, 19, 16, 10, 7).Hide(0, 0, 0, LineUCL);
  chart.data().SetblnUCLForced100(1, true).ValueOrThrow();
  EXPECT_EQ(Run(k2Above, {10, 12.5f, 12.5f}), kTests[k2Above].heading + "P2 (2) to P3 (3)\r\n\r\n");
  chart.data().SetblnUCLForced100(1, false).ValueOrThrow();
  EXPECT_EQ(Run(k2Above, {10, 12.5f, 12.5f}), "");

  // A percent chart's UCL at 100 is a boundary, not 3 SD: the SD is a third of 90 - 84, and the
  // outer upper zone 94 to 96.
  chart.data().SetCType(-1);
  chart.data().SetPercent(true);
  chart.Lines(0, 0, 19, 100, 90, 84);
  EXPECT_EQ(Run(k2Above, {95, 95}), kTests[k2Above].heading + pair);
}

TEST_F(ZoneTestsTest, ExplanationsAndWhereTheTestsApply) {
  struct Case {
    std::int16_t ctype, split_run, split_none, graph;
    float range_lcl;
    bool applies, switch_applies;
  };
  for (Case c : {Case{-2, 0, 0, 0, 0, true, true}, Case{0, 0, 0, 0, 0, false, false},
                 Case{-2, 1, 0, 0, 0, false, false}, Case{-2, 0, 1, 0, 0, false, false},
                 Case{-1, 0, 0, 1, 0, false, false}, Case{-1, 0, 0, 0, 0, true, true},
                 Case{-3, 0, 0, 1, 0, true, false}, Case{-3, 0, 0, 1, 0.5f, true, true}}) {
    chart.data().SetCType(c.ctype);
    chart.data().SetSplitRun(0, c.split_run).ValueOrThrow();
    chart.data().SetSplitNone(0, c.split_none).ValueOrThrow();
    chart.data().SetLcl(1, 1, c.range_lcl).ValueOrThrow();
    for (int t = k2Above; t <= kSwitch; ++t) {
      EXPECT_EQ(Run(t, {10, 10}, 0, 0, c.graph), "");
      const bool applies = t == kSwitch ? c.switch_applies : c.applies;
      EXPECT_EQ(explanation, applies ? kTests[t].explanation : "") << t << " type " << c.ctype;
    }
  }
}

// The split's memos work out each record once, in record order, whatever ranges the tests ask
// for; a stretch that failed is asked again.
TEST(RecordMemoTest, FillsEachRecordOnceInOrder) {
  RecordMemo<float> memo;
  std::string calls;
  bool fail = false;
  auto cover = [&](std::size_t a, std::size_t b) {
    return memo.Cover(a, b, [&](std::size_t from, std::size_t to) -> Status {
      calls += std::to_string(from) + "-" + std::to_string(to) + " ";
      if (fail) return Error::SubscriptOutOfRange("x");
      return Ok{};
    });
  };
  EXPECT_TRUE(cover(5, 10));
  EXPECT_TRUE(cover(3, 10));
  EXPECT_TRUE(cover(3, 12));
  EXPECT_TRUE(cover(6, 9));
  EXPECT_TRUE(cover(0, 2));  // apart from the rest
  EXPECT_TRUE(cover(0, 12));
  EXPECT_EQ(calls, "5-10 3-5 10-12 0-2 0-3 ");
  calls.clear();
  fail = true;
  EXPECT_FALSE(cover(0, 14));
  EXPECT_FALSE(cover(20, 21));
  fail = false;
  EXPECT_TRUE(cover(0, 14));
  EXPECT_EQ(calls, "12-14 20-21 12-14 ");
}

}  // namespace
}  // namespace ostrevin
