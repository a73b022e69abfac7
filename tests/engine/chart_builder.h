#ifndef OSTREVIN_TESTS_ENGINE_CHART_BUILDER_H_
#define OSTREVIN_TESTS_ENGINE_CHART_BUILDER_H_

// Builds a chart for engine tests in a few chained calls:
//   ChartBuilder chart(-1);
//   chart.Splits({0, 8}).Lines(0, 0, 7, 13, 10, 8).Values({9, 11, 12.5f});
//   DiagnoseSomething(chart.data());
// Anything not covered here is set on data() directly.

#include <cstdint>
#include <initializer_list>

#include "addon/cls_data.h"
#include "engine/geometry.h"
#include "platform/recording_platform.h"

namespace ostrevin {

// The same visible lines of graph g at places first..last.
inline void ShowLines(clsData& data, std::int16_t g, std::int16_t first, std::int16_t last,
                      float ucl, float centre, float lcl) {
  for (std::int16_t p = first; p <= last; ++p) {
    data.SetPointStatsUcl(p, g, ucl).ValueOrThrow();
    data.SetPointStatsCentre(p, g, centre).ValueOrThrow();
    data.SetPointStatsLcl(p, g, lcl).ValueOrThrow();
    data.SetPointStatsblnUclVisible(p, g, true).ValueOrThrow();
    data.SetPointStatsblnCentreVisible(p, g, true).ValueOrThrow();
    data.SetPointStatsblnLclVisible(p, g, true).ValueOrThrow();
  }
}

class ChartBuilder {
 public:
  explicit ChartBuilder(std::int16_t ctype) { data_.SetCType(ctype); }
  ChartBuilder(const ChartBuilder&) = delete;
  ChartBuilder& operator=(const ChartBuilder&) = delete;

  // Split boundaries: {0, 5, 9} makes split 0 = places 0..4 and split 1 = places 5..8.
  ChartBuilder& Splits(std::initializer_list<std::int16_t> bounds) {
    std::int16_t s = 0;
    for (std::int16_t b : bounds) data_.SetSplit(s++, b).ValueOrThrow();
    data_.SetSplitp(static_cast<std::int16_t>(bounds.size() - 1));
    return *this;
  }

  // The same visible lines of graph g at places first..last.
  ChartBuilder& Lines(std::int16_t g, std::int16_t first, std::int16_t last, float ucl,
                      float centre, float lcl) {
    ShowLines(data_, g, first, last, ucl, centre, lcl);
    return *this;
  }

  // Makes one line of graph g invisible at places first..last.
  ChartBuilder& Hide(std::int16_t g, std::int16_t first, std::int16_t last, ChartLine line) {
    for (std::int16_t p = first; p <= last; ++p) {
      if (line == LineUCL) data_.SetPointStatsblnUclVisible(p, g, false).ValueOrThrow();
      if (line == LineCentre) data_.SetPointStatsblnCentreVisible(p, g, false).ValueOrThrow();
      if (line == LineLCL) data_.SetPointStatsblnLclVisible(p, g, false).ValueOrThrow();
    }
    return *this;
  }

  // Plotted values PGV from place `first` on, each flagged as holding a value.
  ChartBuilder& Values(std::initializer_list<float> values, std::int16_t first = 0) {
    for (float v : values) {
      data_.SetPGV(first, v).ValueOrThrow();
      data_.SetPGVI(first++, 1).ValueOrThrow();
    }
    return *this;
  }

  clsData& data() { return data_; }
  RecordingPlatform& platform() { return platform_; }

 private:
  RecordingPlatform platform_;
  clsData data_{platform_};
};

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_ENGINE_CHART_BUILDER_H_
