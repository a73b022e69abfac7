#include "engine/run_driver.h"

#include <gtest/gtest.h>

#include <string>

#include "chart_builder.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "tests/golden_text.h"

namespace ostrevin {
namespace {

class RunDriverTest : public ::testing::Test {
 protected:
  // A chart of type -2 with labels P1.., three splits of four places and lines 13/10/7.
  RunDriverTest() {
    chart.Splits({0, 4, 8, 12}).Lines(0, 0, 11, 13, 10, 7);
    chart.Values({10, 11, 9, 10, 14, 10, 9, 11, 10, 6, 10, 10});
    for (std::int16_t p = 0; p < 12; ++p)
      data().SetHAxL(p, "P" + std::to_string(p + 1)).ValueOrThrow();
    for (std::int16_t s = 1; s <= 3; ++s) {
      data().SetUcl(s, 0, 13).ValueOrThrow();
      data().SetLcl(s, 0, 7).ValueOrThrow();
      data().SetMx(s, 10).ValueOrThrow();
    }
  }
  clsData& data() { return chart.data(); }
  GraphText Diagnose(std::int16_t start, std::int16_t end, std::int16_t graph = 0) {
    return DiagnoseGraph(data(), graph, start, end, settings, chart.platform()).ValueOrThrow();
  }

  ChartBuilder chart{-2};
  MemoryStore store;
  DiagnosisSettings settings{store};
};

const char kSummary[] = "LCL=7     Centre=10     UCL=13     \r\n\r\n\r\n";
const char kDefaultExplanations[] =
    "Points ABOVE or ON the Upper Control Limit.\r\n"
    "Points BELOW or ON the Lower Control Limit.\r\n"
    "8 consecutive points either side of the central line.\r\n";

TEST_F(RunDriverTest, RunStartingInALaterSplitSkipsTheSplitsBefore) {
  GraphText out = Diagnose(5, 11);
  EXPECT_EQ(out.text.substr(0, 45), "\r\n*** Split in graph at P5 (Place number 5)\r\n");
  // Place 4 lies before the run start: diagnosed by an earlier run, not reported again.
  EXPECT_EQ(out.text.find("P5 (5) is ABOVE"), std::string::npos);

  // A start outside every split starts with split 0; a split after the end place is still
  // headed and summarised.
  out = Diagnose(-3, 2);
  EXPECT_EQ(out.text, GoldenReport("engine/golden/driver-three-splits.txt"));
}

TEST_F(RunDriverTest, KindsDecideTheSummary) {
  data().SetManualLim(1);
  data().SetSplitRun(1, 1).ValueOrThrow();
  data().SetSplitNone(2, 1).ValueOrThrow();
  GraphText out = Diagnose(0, 11);
  EXPECT_EQ(out.text, GoldenReport("engine/golden/driver-split-kinds.txt"));
  // The limit tests did not apply anywhere but split 0.
  EXPECT_EQ(out.explanations, kDefaultExplanations);
}

TEST_F(RunDriverTest, ExtrasSplitUsesTheSplitBeforeIt) {
  data().SetSplitRun(1, 1).ValueOrThrow();
  data().SetNewXV(2, -1).ValueOrThrow();
  GraphText out = Diagnose(8, 11);
  EXPECT_EQ(out.text, GoldenReport("engine/golden/driver-extras-split.txt"));
  EXPECT_TRUE(chart.platform().messages.empty());

  data()
      .SetNewXV(2, 3)
      .ValueOrThrow();  // neither 0 nor -1: warned about, then diagnosed the same way
  EXPECT_EQ(Diagnose(8, 11).text, out.text);
  ASSERT_EQ(chart.platform().messages.size(), 1u);
  EXPECT_EQ(chart.platform().messages[0].text,
            "The extra values (fixed control lines) have probably been read incorrectly perhaps "
            "due to the 'extras' split referring to an earlier split. Contact Halcyra.");
  EXPECT_EQ(chart.platform().messages[0].icon, MessageIcon::kExclamation);
}

TEST_F(RunDriverTest, CentralLineOnlyChartsAndMissingLines) {
  data().SetCType(0);
  data().SetManualLim(1);
  chart.Hide(0, 8, 8, LineCentre);
  GraphText out = Diagnose(0, 11);
  EXPECT_EQ(out.text, GoldenReport("engine/golden/driver-central-line-only.txt"));
  // Only the test that needs no limits applies to a central-line-only chart.
  EXPECT_EQ(out.explanations, "8 consecutive points either side of the central line.\r\n");
}

// A CuSum chart's "Unavailable" is in the findings document of the JSON tests.
TEST_F(RunDriverTest, SwitchedOffTestsReportNothing) {
  settings.SaveCheckFor("DiagnoseForAllAboveUCL", false);
  settings.SaveCheckFor("DiagnoseForAllBelowLCL", false);
  settings.SaveCheckFor("DiagnoseForAllAboveBelowMean", false);
  GraphText out = Diagnose(8, 11);
  EXPECT_EQ(out.text, "\r\n*** Split in graph at P9 (Place number 9)\r\n" + std::string(kSummary) +
                          "Nothing to report\r\n");
  EXPECT_EQ(out.explanations, "");
}

TEST_F(RunDriverTest, MovingRangeGraphUsesItsOwnSwitch) {
  data().SetCType(-1);
  chart.Lines(1, 0, 11, 4, 1.5f, 0);
  for (std::int16_t s = 1; s <= 3; ++s) {
    data().SetUcl(s, 1, 4).ValueOrThrow();
    data().SetMr(s, 1.5f).ValueOrThrow();
  }
  // The values 14 and 6 lie above the moving-range UCL of 4; the LCL test never runs here.
  settings.SaveCheckFor("DiagnoseForAllAboveUCL", false);
  GraphText out = Diagnose(4, 11, 1);
  EXPECT_EQ(out.explanations,
            "Points ABOVE or ON the Upper Control Limit.\r\n"
            "10 consecutive points either side of the central line.\r\n");
  EXPECT_NE(out.text.find("Point P5 (5) is ABOVE or ON the UPPER CONTROL LIMIT\r\n"),
            std::string::npos);

  settings.SaveCheckFor("DiagnoseForAllAboveUCLMR", false);
  out = Diagnose(4, 11, 1);
  EXPECT_EQ(out.explanations, "10 consecutive points either side of the central line.\r\n");
}

// A chart of more places than one thread takes on has its splits diagnosed on two threads. It
// must read as one thread writes it: the splits in order, each test's explanation listed once,
// the warnings in order, and an error after the warnings of the splits before it.
TEST(LargeChartTest, ReadsAsOneThreadWritesIt) {
  constexpr std::int16_t kPlaces = 8192;
  ChartBuilder chart(-2);
  clsData& d = chart.data();
  d.SetQuickPGV(Variant(VArray(VarType::Single, {{0, kPlaces}}))).ValueOrThrow();
  d.SetQuickPGVI(Variant(VArray(VarType::Integer, {{0, kPlaces}}))).ValueOrThrow();
  d.SetQuickHaxL(Variant(VArray(VarType::String, {{0, kPlaces}}))).ValueOrThrow();
  using Setter = Status (clsData::*)(const Variant&);
  const std::pair<Setter, VarType> lines[] = {
      {&clsData::SetQuickPointStatsUcl, VarType::Single},
      {&clsData::SetQuickPointStatsCentre, VarType::Single},
      {&clsData::SetQuickPointStatsLcl, VarType::Single},
      {&clsData::SetQuickPointStatsblnUclVisible, VarType::Boolean},
      {&clsData::SetQuickPointStatsblnCentreVisible, VarType::Boolean},
      {&clsData::SetQuickPointStatsblnLclVisible, VarType::Boolean}};
  for (auto [set, type] : lines)
    (d.*set)(Variant(VArray(type, {{0, kPlaces}, {0, 1}}))).ValueOrThrow();
  chart.Splits({0, 2048, 4096, 6144, kPlaces}).Lines(0, 0, kPlaces - 1, 13, 10, 7);
  for (std::int16_t p = 0; p < kPlaces; ++p) {
    chart.Values({p % 2 ? 9.0f : 11.0f}, p);
    d.SetHAxL(p, "P" + std::to_string(p + 1)).ValueOrThrow();
  }
  std::string expected;
  for (std::int16_t s = 0; s < 4; ++s) {
    d.SetUcl(s + 1, 0, 13).ValueOrThrow();
    d.SetLcl(s + 1, 0, 7).ValueOrThrow();
    d.SetMx(s + 1, 10).ValueOrThrow();
    const std::int16_t spike = static_cast<std::int16_t>(s * 2048 + 100 * (s + 1));
    chart.Values({14}, spike);
    if (s % 2) d.SetNewXV(s, 3).ValueOrThrow();  // warned about
    const std::string place = std::to_string(s * 2048 + 1), at = std::to_string(spike + 1);
    expected += s == 0
                    ? "\r\n*** Chart Starts at P1 (Place number 1)\r\n"
                    : "\r\n*** Split in graph at P" + place + " (Place number " + place + ")\r\n";
    if (s % 2) expected += "Extra Values (control limits fixed)\r\n";
    expected += kSummary;
    expected += "Point P" + at + " (" + at + ") is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n";
  }
  MemoryStore store;
  const DiagnosisSettings settings(store);
  const GraphText out =
      DiagnoseGraph(d, 0, 0, kPlaces - 1, settings, chart.platform()).ValueOrThrow();
  EXPECT_EQ(out.text, expected);
  EXPECT_EQ(out.explanations, kDefaultExplanations);
  EXPECT_EQ(chart.platform().messages.size(), 2u);

  // A label that cannot be read fails the diagnosis at the first place the text names without
  // one, whichever thread noted it.
  d.SetQuickHaxL(Variant(VArray(VarType::String, {{0, 1000}}))).ValueOrThrow();
  const Error unlabelled = DiagnoseGraph(d, 0, 0, kPlaces - 1, settings, chart.platform()).error();
  EXPECT_EQ(unlabelled.number(), 9);
  EXPECT_EQ(unlabelled.message(), "Subscript out of range: HAxL(2048)");
  d.SetQuickHaxL(Variant(VArray(VarType::String, {{0, 5000}}))).ValueOrThrow();
  EXPECT_EQ(DiagnoseGraph(d, 0, 0, kPlaces - 1, settings, chart.platform()).error().message(),
            "Subscript out of range: HAxL(6144)");
  chart.platform().messages.clear();

  d.SetSplitp(101);  // the last split's end lies outside the container
  EXPECT_EQ(DiagnoseGraph(d, 0, 0, kPlaces - 1, settings, chart.platform()).error().number(), 9);
  EXPECT_EQ(chart.platform().messages.size(), 2u);

  // An error in the third split: the warning of the second, not that of the fourth.
  d.SetSplitp(4);
  chart.platform().messages.clear();
  d.SetQuickPointStatsUcl(Variant(VArray(VarType::Single, {{0, 5000}, {0, 1}}))).ValueOrThrow();
  EXPECT_EQ(DiagnoseGraph(d, 0, 0, kPlaces - 1, settings, chart.platform()).error().message(),
            "Subscript out of range: PointStatsUcl(5001, 0)");
  EXPECT_EQ(chart.platform().messages.size(), 1u);
}

// The labels one thread noted are taken over by the other's, each place's first label kept.
TEST(PlaceLabelsTest, MergeTakesOverTheLabelsNotNotedYet) {
  auto label = [](const char* text) {
    return [text]() -> Result<std::string> { return std::string(text); };
  };
  PlaceLabels first, second;
  ASSERT_TRUE(first.Note(3, label("A3")));
  ASSERT_TRUE(second.Note(3, label("B3")));
  ASSERT_TRUE(second.Note(-2, label("B-2")));
  ASSERT_TRUE(second.Note(30000, label("B30000")));
  first.Merge(std::move(second));
  EXPECT_EQ(first.at(3), "A3");
  EXPECT_EQ(first.at(-2), "B-2");
  EXPECT_EQ(first.at(30000), "B30000");
  EXPECT_EQ(first.Find(4), nullptr);
  EXPECT_EQ(first.Find(-1), nullptr);
}

}  // namespace
}  // namespace ostrevin
