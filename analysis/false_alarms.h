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

// A change of the process the charts are drawn from: the mean moves by `shift` SD at the first
// point and by `trend` SD more at every point after it. None: false alarms.
struct Drift {
  double shift = 0;
  double trend = 0;
  bool none() const { return shift == 0 && trend == 0; }
};

struct FalseAlarmEstimate {
  std::int16_t points = 0;  // per chart
  std::int32_t runs = 0;    // charts
  std::uint64_t seed = 0;
  Drift drift;
  std::vector<SignalRate> tests;  // every switched-on test that judges such a chart, in run order
  SignalRate all;
};

// Called now and then with the number of charts diagnosed so far and the number in all.
using Progress = std::function<void(std::int32_t done, std::int32_t total)>;

// Simulates `runs` charts of `points` values from `seed`, moved by `drift`, and diagnoses each
// with `settings` (tests and thresholds), which are read once, at the start; the lines stay those
// of the process before the change. The tests of a moving-range graph do not judge such a chart
// and are left out. The same arguments give the same result. Fails when points or runs is below
// 1, or the drift is not finite.
Result<FalseAlarmEstimate> EstimateFalseAlarms(const DiagnosisSettings& settings,
                                               std::int16_t points, std::int32_t runs,
                                               std::uint64_t seed, const Progress& progress = {},
                                               Drift drift = {});

}  // namespace ostrevin

#endif  // OSTREVIN_ANALYSIS_FALSE_ALARMS_H_
