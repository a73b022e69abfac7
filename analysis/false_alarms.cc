#include "analysis/false_alarms.h"

#include <algorithm>
#include <memory>

#include "analysis/stable_chart.h"
#include "engine/run_driver.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "settings/settings_keys.h"

namespace ostrevin {
namespace {

// A copy of the user's settings in memory, read once: every chart of an estimate is judged by
// the same tests and thresholds, even if the settings file changes meanwhile, and no chart waits
// for the file. With `alone`, that test is the only one switched on: looking for where a test's
// signal is first complete runs that test alone.
struct CopiedSettings {
  CopiedSettings(const DiagnosisSettings& user, std::optional<TestId> alone) {
    for (const SettingKey& k : AllSettingKeys()) {
      if (k.section != DiagnosisSettings::kCheckFor)
        settings.SaveSignificance(k.key, user.GetSignificanceText(k.key, k.default_text));
      else if (alone)
        settings.SaveCheckFor(k.key, k.key == Test(*alone).key);
      else
        settings.SaveCheckFor(k.key, user.GetCheckFor(k.key));
    }
    choice = ReadTestChoice(settings);
  }
  MemoryStore store;
  DiagnosisSettings settings{store};
  TestChoice choice;  // what every diagnosis of the estimate uses
};

struct Tally {
  TestId test;
  std::unique_ptr<CopiedSettings> alone;
  std::int32_t charts = 0;
  std::int64_t points = 0;
};

// The earliest first place and the earliest last place of the test's findings, if it has any.
struct Span {
  std::int16_t first;
  std::int16_t last;
};
std::optional<Span> Findings(const GraphDiagnosis& diagnosis, TestId test) {
  std::optional<Span> span;
  for (const SplitDiagnosis& split : diagnosis.splits) {
    for (const TestOutcome& outcome : split.outcomes) {
      if (outcome.test != test) continue;
      for (const FindingBlock& block : outcome.result.blocks) {
        for (const Finding& f : block.findings) {
          if (!span) span = Span{f.first_place, f.last_place};
          span->first = std::min(span->first, f.first_place);
          span->last = std::min(span->last, f.last_place);
        }
      }
    }
  }
  return span;
}

// The smallest end place at which the test finds something. A signal, once complete, stays in
// every longer stretch of the chart, and none is complete before the earliest finding starts or
// after the earliest one ends; so a bisection between those two places finds it.
std::int16_t FirstSignal(StableChart& chart, const Tally& tally, Span span) {
  std::int16_t lo = span.first, hi = span.last;
  while (lo < hi) {
    const auto mid = static_cast<std::int16_t>(lo + (hi - lo) / 2);
    const GraphDiagnosis upTo =
        RunGraph(chart.data(), 0, 0, mid, tally.alone->choice, chart.platform());
    if (Findings(upTo, tally.test))
      hi = mid;
    else
      lo = static_cast<std::int16_t>(mid + 1);
  }
  return lo;
}

// The switched-on tests that judge graph 0 of a one-graph chart.
std::vector<Tally> SwitchedOn(const DiagnosisSettings& settings) {
  std::vector<Tally> tallies;
  for (const TestEntry& t : AllTests()) {
    if (t.mr == MovingRangeCase::kOnly || t.run == nullptr || !settings.GetCheckFor(t.key))
      continue;
    tallies.push_back({t.id, std::make_unique<CopiedSettings>(settings, t.id)});
  }
  return tallies;
}

SignalRate Rate(std::optional<TestId> test, std::int32_t charts, std::int64_t points,
                std::int32_t runs) {
  return {test, charts, ShareInterval(charts, runs), points, RunLengthInterval(points, charts)};
}

}  // namespace

Result<FalseAlarmEstimate> EstimateFalseAlarms(const DiagnosisSettings& settings,
                                               std::int16_t points, std::int32_t runs,
                                               std::uint64_t seed, const Progress& progress) {
  if (points < 1 || runs < 1)
    return Error::InvalidInput("a false-alarm estimate needs 1 or more points and runs");
  const CopiedSettings copy(settings, std::nullopt);
  std::vector<Tally> tallies = SwitchedOn(copy.settings);
  StableChart chart(points);
  NormalSource normal(seed);
  std::vector<float> values(static_cast<std::size_t>(points));
  Tally all{TestId::kAboveUCL, nullptr};
  const std::int32_t step = std::max(1, runs / 100);
  for (std::int32_t run = 1; run <= runs; ++run) {
    for (float& v : values) v = static_cast<float>(normal.Next());
    chart.Set(values);
    const GraphDiagnosis whole = RunGraph(chart.data(), 0, 0, static_cast<std::int16_t>(points - 1),
                                          copy.choice, chart.platform());
    std::int32_t first_any = points;  // no signal: the whole chart
    for (Tally& tally : tallies) {
      std::int32_t first = points;
      if (const std::optional<Span> span = Findings(whole, tally.test)) {
        first = FirstSignal(chart, tally, *span);
        ++tally.charts;
      }
      tally.points += std::min<std::int32_t>(first + 1, points);
      first_any = std::min(first_any, first);
    }
    all.charts += first_any < points;
    all.points += std::min<std::int32_t>(first_any + 1, points);
    if (progress && (run % step == 0 || run == runs)) progress(run, runs);
  }
  FalseAlarmEstimate estimate{
      points, runs, seed, {}, Rate(std::nullopt, all.charts, all.points, runs)};
  for (const Tally& t : tallies) estimate.tests.push_back(Rate(t.test, t.charts, t.points, runs));
  return estimate;
}

}  // namespace ostrevin
