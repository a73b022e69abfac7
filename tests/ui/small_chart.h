#ifndef OSTREVIN_TESTS_UI_SMALL_CHART_H_
#define OSTREVIN_TESTS_UI_SMALL_CHART_H_

// A chart for the window tests and its report texts.

#include <cstdint>
#include <string>

#include "addon/cls_data.h"
#include "tests/engine/chart_builder.h"
#include "tests/golden_text.h"

namespace ostrevin {

// Six places D1..D6 of individual values in one split with limits 7 and 13 around 10: D3 lies
// above the UCL and D5 below the LCL. A complete run moves NextHAxLToDiagnose to 6.
inline void FillSmallChart(clsData& data) {
  data.SetCType(-2);
  data.SetTNVal(5);
  data.SetTitle(0, "Widths").ValueOrThrow();
  data.SetIsDataIn(true);
  data.SetSplitp(1);
  data.SetSplit(1, 6).ValueOrThrow();
  data.SetUcl(1, 0, 13).ValueOrThrow();
  data.SetLcl(1, 0, 7).ValueOrThrow();
  data.SetMx(1, 10).ValueOrThrow();
  const float values[] = {10, 11, 14, 9, 5, 10};
  for (std::int16_t p = 0; p < 6; ++p) {
    data.SetHAxL(p, "D" + std::to_string(p + 1)).ValueOrThrow();
    data.SetXData(p, values[p]).ValueOrThrow();
    data.SetXDataI(p, 1).ValueOrThrow();
  }
  ShowLines(data, 0, 0, 5, 13, 10, 7);
}

// The report of a complete run over the small chart with the default settings, and the one
// once a complete run has reached its end.
inline std::string SmallChartReport(std::string_view now) {
  return GoldenReport("ui/golden/small-chart.txt", now);
}
inline std::string SmallChartEndReport(std::string_view now) {
  return GoldenReport("ui/golden/small-chart-end.txt", now);
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_UI_SMALL_CHART_H_
