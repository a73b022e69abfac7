#ifndef OSTREVIN_ANALYSIS_FALSE_ALARMS_H_
#define OSTREVIN_ANALYSIS_FALSE_ALARMS_H_

// How often the switched-on tests signal on charts of a stable process: false alarms, estimated
// by diagnosing simulated charts with the diagnosis engine itself.
//
// Each chart holds N individual values from a standard normal process, judged against known lines
// (central line 0, limits ±3, so the SD is 1) in one split of one graph. A test's first signal on
// a chart is at the smallest place e such that diagnosing places 0..e alone gives the test a
// finding: when a person plotting the points one by one would first see it. For a point beyond a
// limit that is the point's own place; for a run of n points the place of its n-th point; for
// "2 of 3" the place of the second point in the zone. Its run length is e + 1 points.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/interval_estimates.h"
#include "engine/findings.h"
#include "values/error.h"

namespace ostrevin {

class DiagnosisSettings;

struct SignalRate {
  std::optional<TestId> test;  // nullopt: all the switched-on tests together
  std::int32_t charts_with_signal = 0;
  Interval share;  // of charts with at least one signal (Wilson)
  // Points plotted up to and including each chart's first signal, or the whole chart when it has
  // none; the average run length is points / charts_with_signal (see RunLengthInterval).
  std::int64_t points = 0;
  Interval arl;
};

struct FalseAlarmEstimate {
  std::int16_t points = 0;  // per chart
  std::int32_t runs = 0;    // charts
  std::uint64_t seed = 0;
  std::vector<SignalRate> tests;  // every switched-on test that judges such a chart, in run order
  SignalRate all;
};

// Called now and then with the number of charts diagnosed so far and the number in all.
using Progress = std::function<void(std::int32_t done, std::int32_t total)>;

// Simulates `runs` charts of `points` values from `seed` and diagnoses each with `settings`
// (tests and thresholds), which are read once, at the start. The tests of a moving-range graph do
// not judge such a chart and are left out. The same arguments give the same result. Fails when
// points or runs is below 1.
Result<FalseAlarmEstimate> EstimateFalseAlarms(const DiagnosisSettings& settings,
                                               std::int16_t points, std::int32_t runs,
                                               std::uint64_t seed, const Progress& progress = {});

}  // namespace ostrevin

#endif  // OSTREVIN_ANALYSIS_FALSE_ALARMS_H_
