// The cost of a false-alarm estimate at the command's defaults: 10,000 stable charts of 100
// points, with the tests switched on by default and with every test switched on.
#include <benchmark/benchmark.h>

#include "analysis/false_alarms.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"

namespace ostrevin {
namespace {

// range(0): points per chart; range(1): charts; range(2): 1 = every test on, 0 = the defaults.
void BM_EstimateFalseAlarms(benchmark::State& state) {
  MemoryStore store;
  DiagnosisSettings settings(store);
  if (state.range(2) != 0) {
    for (const TestEntry& test : AllTests()) settings.SaveCheckFor(test.key, true);
  }
  const auto points = static_cast<std::int16_t>(state.range(0));
  const auto runs = static_cast<std::int32_t>(state.range(1));
  FalseAlarmEstimate last;
  for (auto _ : state) {
    last = EstimateFalseAlarms(settings, points, runs, 1).ValueOrThrow();
    // Not DoNotOptimize on a double: GCC 12 with Google Benchmark 1.7 then loses its value.
    benchmark::DoNotOptimize(last);
  }
  state.counters["arl_all"] = last.all.arl.estimate;
  state.counters["per_chart"] =
      benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

BENCHMARK(BM_EstimateFalseAlarms)
    ->ArgNames({"points", "runs", "all_tests"})
    ->Args({100, 10000, 0})
    ->Args({100, 10000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevin

BENCHMARK_MAIN();
