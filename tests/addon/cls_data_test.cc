#include "addon/cls_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chartfile/chart_file.h"
#include "chartfile/in_process_chart.h"
#include "platform/recording_platform.h"

namespace ostrevin {
namespace {

// The number of the error `result` holds, or -1 when it holds a value.
template <class T>
int ErrorNumberOf(const Result<T>& result) {
  return result ? -1 : result.error().number();
}

class ClsDataTest : public ::testing::Test {
 protected:
  RecordingPlatform platform;
  clsData data{platform};
};

TEST_F(ClsDataTest, ReplacedArrayOfAnotherTypeConvertsOnGet) {
  VArray texts(VarType::String, {{-2, 2}});
  ASSERT_TRUE(texts.Put(0, "1.5").ok());  // XData(-2)
  ASSERT_TRUE(texts.Put(1, "abc").ok());  // XData(-1)
  ASSERT_TRUE(texts.Put(2, "2.5").ok());  // XData(0)
  data.SetQuickXData(Variant(texts)).ValueOrThrow();
  EXPECT_EQ(data.XData(-2), 1.5f);
  EXPECT_EQ(ErrorNumberOf(data.XData(-1)), 13);
  data.SetQuickXdataI(Variant(texts)).ValueOrThrow();
  EXPECT_EQ(data.XDataI(0), 2);  // 2.5 rounds half to even
  // Puts convert to the array's current element type.
  data.SetXData(-1, 7.0f).ValueOrThrow();
  EXPECT_EQ(data.QuickXData().At(1), Variant("7"));
}

TEST_F(ClsDataTest, WholeArrayMembersRefuseWhatIsNotAnArray) {
  EXPECT_EQ(data.PutWholeArray(MemberId::XData, Variant(3.0f)).error().number(), 13);
  EXPECT_EQ(
      data.PutWholeArray(MemberId::Mx, Variant(VArray(VarType::Single, {{1, 2}}))).error().number(),
      13);  // fixed arrays have no whole-array member
  VArray too_large(VarType::Single, {{0, 40000}});
  EXPECT_EQ(data.PutWholeArray(MemberId::XData, Variant(too_large)).error().number(), 9);
  EXPECT_EQ(data.XData(5000), 0.0f);  // unchanged
  // The widest array that 16-bit places can address is taken.
  VArray widest(VarType::Single, {{-32768, 32767}});
  EXPECT_TRUE(data.PutWholeArray(MemberId::XData, Variant(widest)).ok());
}

TEST_F(ClsDataTest, HandshakeMembers) {
  EXPECT_TRUE(data.QuickDataTransmit());
  const std::string expected =
      "2;pucoldescriptions;splitsinfo;limitsinfo;stapro;ingorelimitsblns;nexthaxltodiagnose;"
      "filename;symbols;coloursfonts;newtrendinfo;clforced;scalereversed;pointstats;";
  EXPECT_EQ(data.DataTransmitVersion(), expected);
  EXPECT_EQ(data.DataTransmitVersion(), expected);
}

// A chart file sets the host's version as the host does, and an older one is advised.
TEST_F(ClsDataTest, QuorvaVersionFromAChartFile) {
  InProcessChart chart(data);
  ASSERT_TRUE(ApplyChartText(R"({"QuorvaVersion": "0003.0006.0119"})", "chart.json", chart).ok());
  EXPECT_EQ(data.QuorvaVersion(), "0003.0006.0119");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "You need quorva version 0003.0006.0120 or later for best results.");
}

TEST_F(ClsDataTest, ShowPreparesTheContainerAndReportsReadOnly) {
  data.SetTNVal(40);
  data.SetCType(-1);
  for (std::int16_t i = 0; i <= 45; ++i)
    data.SetPGV(i, static_cast<float>(i) + 0.5f).ValueOrThrow();
  data.SetblnDuplicatePreviousChart(false);
  data.SetblnCreateNewChart(true);
  data.NewChart();  // sets the cancel flag
  platform.messages.clear();
  std::int16_t seen_next = -1;
  data.SetReportWindow([&](clsData& d) {
    seen_next = d.NextHAxLToDiagnose();
    return Status(Ok{});
  });
  data.SetNextHAxLToDiagnose(7);

  data.Show().ValueOrThrow();

  EXPECT_EQ(seen_next, 7);
  EXPECT_EQ(data.QuickPGV().bounds(0), (Bounds{0, 41}));
  EXPECT_EQ(data.QuickPGVI().bounds(0), (Bounds{0, 41}));
  for (std::int16_t i = 0; i <= 41; ++i) EXPECT_EQ(data.PGV(i), static_cast<float>(i) + 0.5f);
  EXPECT_EQ(data.Cancel(), Variant(Boolean{false}));
  EXPECT_FALSE(data.blnCreateNewChart());
  EXPECT_TRUE(data.blnDuplicatePreviousChart());
  EXPECT_TRUE(data.blnReadOnly());  // the window left NextHAxLToDiagnose where it was

  data.SetReportWindow([](clsData& d) {
    d.SetNextHAxLToDiagnose(30);
    return Status(Ok{});
  });
  data.Show().ValueOrThrow();
  EXPECT_FALSE(data.blnReadOnly());
}

TEST_F(ClsDataTest, ShowKeepsPgviOfVaryingLimitCharts) {
  for (std::int16_t ctype : {-4, -5, -7}) {
    RecordingPlatform p;
    clsData d(p);
    d.SetCType(ctype);
    d.SetTNVal(40);
    d.SetQuickPGVI(Variant(VArray(VarType::Integer, {{0, 99}}))).ValueOrThrow();
    d.Show().ValueOrThrow();
    EXPECT_EQ(d.QuickPGV().bounds(0), (Bounds{0, 41})) << ctype;
    EXPECT_EQ(d.QuickPGVI().bounds(0), (Bounds{0, 99})) << ctype;
  }
}

TEST_F(ClsDataTest, ShowRefusesATNValThatCannotSizeThePlottedValues) {
  for (std::int16_t tnval : {std::int16_t{-5}, std::int16_t{32767}}) {
    data.SetTNVal(tnval);
    EXPECT_EQ(ErrorNumberOf(data.Show()), 9) << tnval;
    EXPECT_EQ(data.QuickPGV().bounds(0), (Bounds{0, 500}));
  }
}

// NewChart's message and flag reach the host through the console (see the dispatch tests).
TEST_F(ClsDataTest, NewChartClearsReadOnlyAndGetArrayGivesAnEmptyArray) {
  data.SetblnReadOnly(true);
  data.NewChart();
  EXPECT_FALSE(data.blnReadOnly());
  EXPECT_EQ(data.Cancel(), Variant(Boolean{true}));
  Variant empty = data.GetArray("anything", 3);
  ASSERT_TRUE(empty.IsArray());
  EXPECT_EQ(empty.array().rank(), 0);
  EXPECT_EQ(empty.array().size(), 0u);
  EXPECT_EQ(data.Cancel(), Variant(Boolean{false}));  // GetArray clears it
}

}  // namespace
}  // namespace ostrevin
