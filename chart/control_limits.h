#ifndef OSTREVIN_CHART_CONTROL_LIMITS_H_
#define OSTREVIN_CHART_CONTROL_LIMITS_H_

// The statistics of the chart kinds built from raw data: the values plotted in each graph and the
// lines of every split (and of every place where they vary). Worked out in double from the data as
// read, then stored as 32-bit floats.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "chart/number_rows.h"
#include "values/error.h"

namespace ostrevin {

// Places first..last of one split.
struct SplitRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
};

// The three lines of one graph at a place and whether each is shown.
struct GraphLines {
  float ucl = 0, centre = 0, lcl = 0;
  bool ucl_visible = false, centre_visible = false, lcl_visible = false;
  friend bool operator==(const GraphLines&, const GraphLines&) = default;
};
// Graph 0 and graph 1 (all hidden and zero on a one-graph chart).
using Lines = std::array<GraphLines, 2>;

// Individual values with moving ranges: centre the mean, limits mean ± 2.66 × mean moving range;
// moving-range graph centre the mean moving range, UCL 3.267 times it, no LCL.
struct IndividualsChart {
  std::vector<float> moving_ranges;       // the moving range of place k at k - 1
  std::vector<std::int16_t> range_flags;  // 0 for a range across a split boundary
  std::vector<Lines> splits;
};
// Fails when a split's moving ranges are all zero (no spread to set limits by).
// REQUIRES: splits cover places from 0 on, in order, each with at least two places; places after
// the last split (an extras split) get their values and moving ranges only.
Result<IndividualsChart> ComputeIndividuals(const std::vector<double>& values,
                                            const std::vector<SplitRange>& splits);

enum class Spread : std::uint8_t { kRange, kSD };

// Subgroup means with ranges (A2, D3, D4) or sample standard deviations (A3, B3, B4). The second
// graph's LCL is shown only where D3 or B3 is above zero.
struct SubgroupChart {
  std::vector<float> means;
  std::vector<float> spreads;  // ranges or standard deviations
  std::vector<Lines> splits;
};
// A subgroup's mean, and its range or sample standard deviation about that mean.
double SubgroupMean(std::span<const double> subgroup);
double SubgroupSpread(std::span<const double> subgroup, double mean, Spread spread);

// Fails when a split's spreads are all zero. REQUIRES: every subgroup holds the same number of
// values, 2 to 25; splits as above.
Result<SubgroupChart> ComputeSubgroups(const NumberRows& subgroups, Spread spread,
                                       const std::vector<SplitRange>& splits);

// Charts of counts, one graph, a value per place from a count and a sample size n (units
// inspected, or units of opportunity), with the lines centre ± 3σ at every place for its own n,
// the LCL floored at 0 (and then hidden):
//   kProportion      p = d / n;  centre p̄ = Σd / Σn;  σ = √(p̄(1 − p̄)/n); UCL capped at 1
//   kDefects         c;          centre c̄ = mean c;   σ = √c̄ (n is 1)
//   kDefectsPerUnit  u = c / n;  centre ū = Σc / Σn;  σ = √(ū/n)
//   kNonconforming   d;          centre np̄ = n·Σd/Σn; σ = √(np̄(1 − p̄)); UCL capped at n
// A split's own lines are given for its average n.
enum class Attribute : std::uint8_t { kProportion, kDefects, kDefectsPerUnit, kNonconforming };

struct AttributeChart {
  std::vector<float> values;
  std::vector<Lines> places;
  std::vector<Lines> splits;
};

// The value plotted for a count and its sample size.
double AttributeValue(Attribute attribute, double count, double n);
// The lines at a place of sample size n, about a split's central line.
Lines AttributeLines(Attribute attribute, double centre, double n);

// Fails when a split has no spread (p̄ 0 or 1, no defects). REQUIRES: counts whole and 0 or
// more, no more than n where n counts units inspected, n > 0; splits as above.
Result<AttributeChart> ComputeAttributes(Attribute attribute, const std::vector<double>& counts,
                                         const std::vector<double>& sizes,
                                         const std::vector<SplitRange>& splits);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CONTROL_LIMITS_H_
