// The plot reads by name what each graph plots; the diagnosis works it out in the engine
// (PlottedValue). Both must agree on every chart type, or the marks would sit on other points
// than the ones diagnosed.
#include <gtest/gtest.h>

#include "chartfile/in_process_chart.h"
#include "engine/geometry.h"
#include "platform/recording_platform.h"
#include "plot/plot_chart.h"

namespace ostrevin {
namespace {

void ExpectSameValues(const clsData& d, std::int16_t last, std::size_t graphs,
                      const std::string& name) {
  clsData copy = d;
  InProcessChart chart(copy);
  const PlotChartData data = ReadPlotChart(chart, last, graphs).ValueOrThrow();
  ASSERT_EQ(data.graphs.size(), graphs);
  for (std::size_t g = 0; g < graphs; ++g) {
    for (std::int16_t p = 0; p <= last; ++p) {
      const PlottedPoint expected = PlottedValue(d, static_cast<std::int16_t>(g), p);
      const std::optional<float> value = data.graphs[g].values[static_cast<std::size_t>(p)];
      EXPECT_EQ(value.has_value(), expected.flag != 0) << name << " graph " << g << " place " << p;
      if (value && expected.flag != 0) {
        EXPECT_EQ(*value, expected.value) << name << " graph " << g << " place " << p;
      }
    }
  }
}

// Every chart type, on a chart whose every array holds something different.
TEST(PlotValuesTest, EveryChartTypePlotsWhatTheDiagnosisReads) {
  RecordingPlatform platform;
  clsData d(platform);
  d.SetTNVal(11);
  d.SetNSam(5);
  for (std::int16_t k = 0; k < 24; ++k) {
    const auto v = static_cast<float>(k);
    if (k < 12) {
      d.SetXData(k, 100 + v);
      d.SetXDataI(k, k % 4 == 1 ? 0 : 1);
      d.SetGV(k, 200 + v);
      d.SetPGVI(k, k % 3 == 2 ? 0 : 1);
      d.SetRDataI(k, k % 5 == 3 ? 0 : 1);
    }
    d.SetRData(k, 300 + v);
  }
  for (std::int16_t type : {-7, -5, -4, -3, -1, 0, 2}) {
    d.SetCType(type);
    const std::int16_t last = type == -3 ? d.NSam() : d.TNVal();
    ExpectSameValues(d, last, type == -1 || type == -3 ? 2 : 1, "CType " + std::to_string(type));
  }
}

}  // namespace
}  // namespace ostrevin
