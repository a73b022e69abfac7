#ifndef OSTREVIN_ANALYSIS_STABLE_CHART_H_
#define OSTREVIN_ANALYSIS_STABLE_CHART_H_

#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"

namespace ostrevin {

// Standard normal numbers from a seeded 64-bit Mersenne Twister by the Box-Muller transform, so
// that one seed gives the same numbers with any standard library.
class NormalSource {
 public:
  explicit NormalSource(std::uint64_t seed) : engine_(seed) {}
  double Next();

  // The draws behind the next raw.size() / 2 pairs of numbers, to be turned into numbers by
  // Normals, on any thread. REQUIRES: an even size, and no number of a pair left for Next.
  void DrawPairs(std::span<std::uint64_t> raw);
  // The numbers `first` to first + out.size() - 1 that the draws `raw` give, as Next gives them.
  static void Normals(std::span<const std::uint64_t> raw, std::size_t first, std::span<float> out);

 private:
  std::mt19937_64 engine_;
  double spare_ = 0;
  bool has_spare_ = false;
};

// A one-graph chart of individual values from a stable process with known limits: one split,
// central line 0, UCL 3 and LCL -3 at every place (so the SD is 1), chart type -2. Set holds the
// plotted values and their flags where the run driver reads them.
class StableChart {
 public:
  // REQUIRES: 1 <= points.
  explicit StableChart(std::int16_t points);
  StableChart(const StableChart&) = delete;
  StableChart& operator=(const StableChart&) = delete;

  void Set(std::span<const float> values);
  const clsData& data() const { return data_; }
  Platform& platform() { return platform_; }

 private:
  RecordingPlatform platform_;
  clsData data_{platform_};
};

}  // namespace ostrevin

#endif  // OSTREVIN_ANALYSIS_STABLE_CHART_H_
