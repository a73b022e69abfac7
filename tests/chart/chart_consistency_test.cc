// Built charts are consistent the way the diagnosis reads them: splits, per-split and per-place
// lines, visibility, plotted values and their flags.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/geometry.h"
#include "tests/chart/loaded_chart.h"

namespace ostrevin {
namespace {

// Every place shows its split's lines in each graph; only a zero LCL of graph 1 is hidden.
void ExpectPlacesShowSplitLines(const clsData& d, std::int16_t graphs) {
  for (std::int16_t s = 0; s < d.Splitp(); ++s) {
    for (std::int16_t g = 0; g < graphs; ++g) {
      EXPECT_TRUE(*LimitsAreHorizontal(d, g, s));
      for (std::int16_t k = *d.Split(s); k < *d.Split(s + 1); ++k) {
        SCOPED_TRACE("split " + std::to_string(s) + " graph " + std::to_string(g) + " place " +
                     std::to_string(k));
        EXPECT_EQ(*d.PointStatsUcl(k, g), *d.Ucl(s + 1, g));
        EXPECT_EQ(*d.PointStatsLcl(k, g), *d.Lcl(s + 1, g));
        EXPECT_EQ(*d.PointStatsCentre(k, g), *SegmentCentre(d, g, s));
        EXPECT_TRUE(*d.PointStatsblnUclVisible(k, g));
        EXPECT_TRUE(*d.PointStatsblnCentreVisible(k, g));
        EXPECT_EQ(*d.PointStatsblnLclVisible(k, g), g == 0 || *d.Lcl(s + 1, g) > 0);
      }
    }
  }
}

void ExpectPlotted(const clsData& d, std::int16_t graph, const std::vector<float>& values,
                   const std::vector<std::int16_t>& flags) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    const PlottedPoint p = *PlottedValue(d, graph, static_cast<std::int16_t>(k));
    EXPECT_FLOAT_EQ(p.value, values[k]) << "graph " << graph << " place " << k;
    EXPECT_EQ(p.flag, flags[k]) << "graph " << graph << " place " << k;
  }
}

TEST(ChartConsistencyTest, SubgroupsOfSevenShowTheRangeLcl) {
  std::string csv = "a,b,c,d,e,f,g\n";
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 7; ++i) csv += std::to_string(row + i * (row + 1)) + (i < 6 ? "," : "\n");
  }
  LoadedChart c(csv, Options(ChartKind::kMeansRanges, "", {3}));
  const clsData& d = c.data;
  EXPECT_EQ(d.CType(), -3);
  EXPECT_EQ(d.TNVal(), 27);
  EXPECT_EQ(d.NSam(), 3);
  EXPECT_EQ(*d.HAxL(2), "3");
  EXPECT_FALSE(d.SubGpSd());
  ExpectPlacesShowSplitLines(d, 2);
  EXPECT_FLOAT_EQ(*d.Lcl(2, 1), 0.076f * 21);  // subgroups 3 and 4: ranges 18 and 24
  ExpectPlotted(d, 0, {3, 7, 11, 15}, {1, 1, 1, 1});
  ExpectPlotted(d, 1, {6, 12, 18, 24}, {1, 1, 1, 1});
}

TEST(ChartConsistencyTest, ProportionsWithOneSampleSizeHaveLevelLimits) {
  LoadedChart c("d,n\n4,50\n9,50\n6,50\n", Options(ChartKind::kProportions));
  EXPECT_FALSE(c.data.blnWavypuChart());
  EXPECT_TRUE(LimitsAreHorizontal(c.data, 0, 0));
  EXPECT_EQ(*c.data.PointStatsUcl(2, 0), *c.data.Ucl(1, 0));
}

}  // namespace
}  // namespace ostrevin
