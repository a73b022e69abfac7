#include "analysis/false_alarms.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <span>
#include <thread>

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

// A switched-on test and the settings that switch it on alone.
struct Judged {
  TestId test;
  std::unique_ptr<CopiedSettings> alone;
};

// What a share of the charts gave: for each judged test, then for all together, the charts with a
// signal and the points up to each chart's first signal.
struct Counts {
  explicit Counts(std::size_t tests) : charts(tests + 1, 0), points(tests + 1, 0) {}
  void Add(const Counts& other) {
    for (std::size_t k = 0; k < charts.size(); ++k) {
      charts[k] += other.charts[k];
      points[k] += other.points[k];
    }
  }
  std::vector<std::int32_t> charts;
  std::vector<std::int64_t> points;
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
Result<std::int16_t> FirstSignal(StableChart& chart, const Judged& judged, Span span) {
  std::int16_t lo = span.first, hi = span.last;
  while (lo < hi) {
    const auto mid = static_cast<std::int16_t>(lo + (hi - lo) / 2);
    OSTREVIN_ASSIGN_OR_RETURN(
        const GraphDiagnosis upTo,
        RunGraph(chart.data(), 0, 0, mid, judged.alone->choice, chart.platform()));
    if (Findings(upTo, judged.test))
      hi = mid;
    else
      lo = static_cast<std::int16_t>(mid + 1);
  }
  return lo;
}

// The switched-on tests that judge graph 0 of a one-graph chart.
std::vector<Judged> SwitchedOn(const DiagnosisSettings& settings) {
  std::vector<Judged> judged;
  for (const TestEntry& t : AllTests()) {
    if (t.mr == MovingRangeCase::kOnly || t.run == nullptr || !settings.GetCheckFor(t.key))
      continue;
    judged.push_back({t.id, std::make_unique<CopiedSettings>(settings, t.id)});
  }
  return judged;
}

SignalRate Rate(std::optional<TestId> test, std::int32_t charts, std::int64_t points,
                std::int32_t runs) {
  return {test, charts, ShareInterval(charts, runs), points, RunLengthInterval(points, charts)};
}

// Diagnoses the charts whose values are `values`, `points` after `points`, and counts their
// signals.
Status DiagnoseCharts(std::span<const float> values, std::int16_t points, const TestChoice& choice,
                      const std::vector<Judged>& judged, StableChart& chart, Counts& counts) {
  const std::size_t all = judged.size();
  const auto size = static_cast<std::size_t>(points);
  for (std::size_t from = 0; from < values.size(); from += size) {
    chart.Set(values.subspan(from, size));
    OSTREVIN_ASSIGN_OR_RETURN(const GraphDiagnosis whole,
                              RunGraph(chart.data(), 0, 0, static_cast<std::int16_t>(points - 1),
                                       choice, chart.platform()));
    std::int32_t first_any = points;  // no signal: the whole chart
    for (std::size_t k = 0; k < all; ++k) {
      std::int32_t first = points;
      if (const std::optional<Span> span = Findings(whole, judged[k].test)) {
        OSTREVIN_ASSIGN_OR_RETURN(first, FirstSignal(chart, judged[k], *span));
        ++counts.charts[k];
      }
      counts.points[k] += std::min<std::int32_t>(first + 1, points);
      first_any = std::min(first_any, first);
    }
    counts.charts[all] += first_any < points;
    counts.points[all] += std::min<std::int32_t>(first_any + 1, points);
  }
  return Ok{};
}

// Moves the values of whole charts, the first of them at place `place` of its chart, by the drift.
void Move(std::span<float> values, std::size_t place, std::size_t points, Drift drift) {
  for (float& v : values) {
    v = static_cast<float>(v + drift.shift + drift.trend * static_cast<double>(place));
    if (++place == points) place = 0;
  }
}

}  // namespace

Result<FalseAlarmEstimate> EstimateFalseAlarms(const DiagnosisSettings& settings,
                                               std::int16_t points, std::int32_t runs,
                                               std::uint64_t seed, const Progress& progress,
                                               Drift drift) {
  if (points < 1 || runs < 1)
    return Error::InvalidInput("a false-alarm estimate needs 1 or more points and runs");
  if (!std::isfinite(drift.shift) || !std::isfinite(drift.trend))
    return Error::InvalidInput("a shift and a trend must be finite numbers");
  const CopiedSettings copy(settings, std::nullopt);
  const std::vector<Judged> judged = SwitchedOn(copy.settings);
  NormalSource normal(seed);
  // The charts are drawn in order from one source, a block at a time, into one of two buffers.
  // Both threads take the charts of a block a few at a time, turn their draws into numbers and
  // diagnose them; the second thread first draws the next block into the other buffer, so that
  // no thread waits for the draws. The counts are sums, so the estimate is the same however the
  // charts fall to the threads. Every block but the last holds an even number of values, so a
  // pair never spans two blocks.
  constexpr std::int32_t kBlock = 512;
  constexpr std::int32_t kChunk = 8;  // charts taken at a time
  const auto size = static_cast<std::size_t>(points);
  std::vector<std::uint64_t> buffers[2];
  for (std::vector<std::uint64_t>& b : buffers)
    b.resize(static_cast<std::size_t>(kBlock) * size + 1);
  auto draw = [&](std::vector<std::uint64_t>& buffer, std::int32_t charts) {
    const std::span<std::uint64_t> drawn(buffer.data(),
                                         (static_cast<std::size_t>(charts) * size + 1) / 2 * 2);
    normal.DrawPairs(drawn);
    return drawn;
  };
  // A thread's chart and counts, and the first chart of the block whose diagnosis failed.
  struct Worker {
    explicit Worker(std::int16_t points, std::size_t tests, std::size_t values)
        : chart(points), counts(tests), values(values) {}
    StableChart chart;
    Counts counts;
    std::vector<float> values;
    Status status = Ok{};
    std::int32_t failed_at = kBlock;
  };
  Worker mine(points, judged.size(), kChunk * size), helper(points, judged.size(), kChunk * size);
  const std::int32_t step = std::max(1, runs / 100);
  std::span<std::uint64_t> drawn = draw(buffers[0], std::min(kBlock, runs));
  for (std::int32_t done = 0, current = 0; done < runs; current ^= 1) {
    const std::int32_t block = std::min(kBlock, runs - done);
    const std::int32_t next_block = std::min(kBlock, runs - done - block);
    std::atomic<std::int32_t> next_chart{0};
    auto work = [&](Worker& w) {
      for (std::int32_t from; (from = next_chart.fetch_add(kChunk)) < block;) {
        const std::int32_t to = std::min(from + kChunk, block);
        const std::span<float> part(w.values.data(), static_cast<std::size_t>(to - from) * size);
        NormalSource::Normals(drawn, static_cast<std::size_t>(from) * size, part);
        if (!drift.none()) Move(part, 0, size, drift);
        w.status = DiagnoseCharts(part, points, copy.choice, judged, w.chart, w.counts);
        if (!w.status) {
          w.failed_at = from;
          return;
        }
      }
    };
    // What the second thread throws (no memory) is thrown here.
    std::exception_ptr thrown;
    std::span<std::uint64_t> next_drawn;
    std::thread second([&] {
      try {
        if (next_block > 0) next_drawn = draw(buffers[current ^ 1], next_block);
        work(helper);
      } catch (...) {
        thrown = std::current_exception();
      }
    });
    try {
      work(mine);
    } catch (...) {
      second.join();
      throw;
    }
    second.join();
    // The error of the earliest chart that failed, as one thread going through them would meet.
    if (!mine.status || !helper.status)
      return (mine.failed_at <= helper.failed_at ? mine.status : helper.status).error();
    if (thrown) std::rethrow_exception(thrown);
    for (std::int32_t run = done + 1; run <= done + block; ++run)
      if (progress && (run % step == 0 || run == runs)) progress(run, runs);
    done += block;
    drawn = next_drawn;
  }
  Counts& counts = mine.counts;
  const Counts& helped = helper.counts;
  counts.Add(helped);
  const std::size_t all = judged.size();
  FalseAlarmEstimate estimate{
      points, runs, seed,
      drift,  {},   Rate(std::nullopt, counts.charts[all], counts.points[all], runs)};
  for (std::size_t k = 0; k < all; ++k)
    estimate.tests.push_back(Rate(judged[k].test, counts.charts[k], counts.points[k], runs));
  return estimate;
}

}  // namespace ostrevin
