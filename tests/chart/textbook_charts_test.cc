// Limits against published examples from D. C. Montgomery, "Introduction to Statistical Quality
// Control", 6th ed., Wiley 2009:
//  - Table 6.3, inside diameters (mm) of automobile engine piston rings, 25 samples of 5, with its
//    x̄ and R charts (section 6.2) and its x̄ and s charts (section 6.3);
//  - Example 7.1, frozen orange juice concentrate cans, 30 samples of 50, the p chart, and the
//    np chart of the same samples (section 7.2.2);
//  - Example 7.3, nonconformities in 26 samples of 100 printed circuit boards, the c chart;
//  - Example 7.4, nonconformities in 20 samples of 5 personal computers, the u chart;
//  - section 6.4, the individuals and moving-range chart of 20 weekly costs of processing
//    mortgage loans.
// The book rounds intermediate results (x̄̄ = 74.001, R̄ = 0.023), so its limits are matched to
// its last printed digit.
#include <gtest/gtest.h>

#include "engine/run_driver.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "tests/chart/loaded_chart.h"
#include "tests/golden_text.h"

namespace ostrevin {
namespace {

// Nonconforming cans in each of the 30 samples of 50 of Example 7.1.
const std::vector<int> kOrangeJuiceCans = {12, 15, 8, 10, 4,  7,  16, 9,  14, 10, 5,  6, 17, 12, 22,
                                           8,  10, 5, 13, 11, 20, 18, 24, 15, 9,  12, 7, 13, 9,  6};

struct Expected {
  double ucl0, centre0, lcl0, ucl1, centre1, tolerance0, tolerance1;
};

void ExpectSplitLimits(const clsData& d, const Expected& e) {
  EXPECT_NEAR(*d.Ucl(1, 0), e.ucl0, e.tolerance0);
  EXPECT_NEAR(*d.Mx(1), e.centre0, e.tolerance0);
  EXPECT_NEAR(*d.Lcl(1, 0), e.lcl0, e.tolerance0);
  EXPECT_NEAR(*d.Ucl(1, 1), e.ucl1, e.tolerance1);
  EXPECT_NEAR(*d.Mr(1), e.centre1, e.tolerance1);
  EXPECT_EQ(*d.Lcl(1, 1), 0.0f);
}

// The places whose graph-0 value the engine finds above or on the UCL, the report's first test.
std::vector<std::int16_t> PlacesAboveUcl(clsData& d) {
  for (std::int16_t k = 0; k <= d.TNVal(); ++k) {
    const PlottedPoint p = *PlottedValue(d, 0, k);
    d.SetPGV(k, p.value).ValueOrThrow();
    d.SetPGVI(k, p.flag).ValueOrThrow();
  }
  MemoryStore store;
  const DiagnosisSettings settings(store);
  RecordingPlatform platform;
  const GraphDiagnosis g = *RunGraph(d, 0, 0, d.TNVal(), settings, platform);
  std::vector<std::int16_t> places;
  for (const TestOutcome& o : g.splits.at(0).outcomes) {
    if (o.test != TestId::kAboveUCL) continue;
    for (const FindingBlock& b : o.result.blocks) {
      for (const Finding& f : b.findings) places.push_back(f.first_place);
    }
  }
  return places;
}

TEST(TextbookChartsTest, PistonRingsMeansWithRangesOrStandardDeviations) {
  LoadedChart r(TestFileText("chart/data/piston-rings.csv"),
                Options(ChartKind::kMeansRanges, "Sample"));
  ExpectSplitLimits(r.data, {74.014, 74.001, 73.988, 0.049, 0.023, 0.001, 0.0005});
  EXPECT_EQ(r.data.SubGroupSampeSize(), 5);
  EXPECT_EQ(r.data.NSam(), 24);
  EXPECT_EQ(r.data.TNVal(), 124);
  LoadedChart s(TestFileText("chart/data/piston-rings.csv"),
                Options(ChartKind::kMeansSDs, "Sample"));
  ExpectSplitLimits(s.data, {74.014, 74.001, 73.988, 0.0196, 0.0094, 0.001, 0.00005});
  EXPECT_TRUE(s.data.SubGpSd());
}

TEST(TextbookChartsTest, OrangeJuiceCansProportions) {
  std::string csv = "Sample;Nonconforming;Inspected\n";
  for (int k = 0; k < 30; ++k)
    csv += std::to_string(k + 1) + ";" + std::to_string(kOrangeJuiceCans[k]) + ";50\n";
  LoadedChart c(csv, Options(ChartKind::kProportions, "Sample"));
  EXPECT_NEAR(*c.data.Mr(1), 0.2313, 0.00005);
  EXPECT_NEAR(*c.data.Ucl(1, 0), 0.4102, 0.00005);
  EXPECT_NEAR(*c.data.Lcl(1, 0), 0.0524, 0.00005);
  // "Samples 15 and 23 plot above the upper control limit."
  EXPECT_EQ(PlacesAboveUcl(c.data), (std::vector<std::int16_t>{14, 22}));
}

// c̄ ± 3√c̄, ū ± 3√(ū/n) and np̄ ± 3√(np̄(1 − p̄)), with the central line in Mx.
TEST(TextbookChartsTest, CountsOfDefectsAndNonconformingUnits) {
  struct Case {
    ChartKind kind;
    int n;
    double ucl, centre, lcl, tolerance;
    std::vector<std::int16_t> above;
    std::vector<int> counts;
  };
  const std::vector<int> boards = {21, 24, 16, 12, 15, 5,  28, 20, 31, 25, 20, 24, 16,
                                   19, 10, 17, 13, 22, 18, 39, 30, 24, 16, 19, 17, 15};
  const std::vector<int> computers = {10, 12, 8, 14, 10, 16, 11, 7,  10, 15,
                                      9,  5,  7, 11, 12, 6,  8,  10, 7,  5};
  const Case cases[] = {
      // The book rounds c̄ to 19.85 first; "sample 20 is beyond the upper control limit".
      {ChartKind::kDefects, 0, 33.22, 19.85, 6.48, 0.01, {19}, boards},
      {ChartKind::kDefectsPerUnit, 5, 3.79, 1.93, 0.07, 0.005, {}, computers},  // "in control"
      {ChartKind::kNonconforming, 50, 20.51, 11.57, 2.62, 0.005, {14, 22}, kOrangeJuiceCans},
  };
  for (const Case& c : cases) {
    std::string csv = c.n ? "Sample,Count,Size\n" : "Sample,Count\n";
    for (std::size_t k = 0; k < c.counts.size(); ++k) {
      csv += std::to_string(k + 1) + "," + std::to_string(c.counts[k]);
      csv += c.n ? "," + std::to_string(c.n) + "\n" : "\n";
    }
    LoadedChart chart(csv, Options(c.kind, "Sample"));
    SCOPED_TRACE(ChartKindName(c.kind));
    EXPECT_EQ(chart.data.CType(), -5);
    EXPECT_NEAR(*chart.data.Ucl(1, 0), c.ucl, c.tolerance);
    EXPECT_NEAR(*chart.data.Mx(1), c.centre, c.tolerance);
    EXPECT_NEAR(*chart.data.Lcl(1, 0), c.lcl, c.tolerance);
    EXPECT_EQ(PlacesAboveUcl(chart.data), c.above);
  }
}

TEST(TextbookChartsTest, MortgageLoanCostsIndividuals) {
  LoadedChart c(
      "Week,Cost\n1,310\n2,288\n3,297\n4,298\n5,307\n6,303\n7,294\n8,297\n9,308\n10,306\n"
      "11,294\n12,299\n13,297\n14,299\n15,314\n16,295\n17,293\n18,306\n19,301\n20,304\n",
      Options(ChartKind::kIndividuals, "Week"));
  ExpectSplitLimits(c.data, {321.22, 300.5, 279.78, 25.45, 7.79, 0.005, 0.005});
  EXPECT_EQ(PlacesAboveUcl(c.data), std::vector<std::int16_t>{});  // in control
}

}  // namespace
}  // namespace ostrevin
