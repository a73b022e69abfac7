#ifndef OSTREVIN_CHART_CONTROL_CONSTANTS_H_
#define OSTREVIN_CHART_CONTROL_CONSTANTS_H_

#include <optional>

namespace ostrevin {

// Individuals chart: 3 / d2 with d2 = 1.128 for moving ranges of two points, and D4 for them.
inline constexpr double kE2 = 2.66;
inline constexpr double kD4MovingRange = 3.267;

// The usual three-decimal factors for subgroups of n: means with ranges (A2, D3, D4) and means
// with standard deviations (A3, B3, B4).
struct SubgroupFactors {
  double A2, D3, D4;
  double A3, B3, B4;
};

inline constexpr int kMinSubgroupSize = 2;
inline constexpr int kMaxSubgroupSize = 25;

// The factors for subgroups of n; nullopt outside kMinSubgroupSize..kMaxSubgroupSize.
std::optional<SubgroupFactors> FactorsForSubgroupSize(int n);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CONTROL_CONSTANTS_H_
