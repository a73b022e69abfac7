// The cost of a whole diagnosis as the chart grows, all thirteen tests on. Reported per place: it
// must stay flat (docs/performance.md).
#include <benchmark/benchmark.h>

#include "addon/cls_data.h"
#include "bench/synthetic_chart.h"
#include "engine/report.h"
#include "engine/signal_tests.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"

namespace ostrevin {
namespace {

// range(0): places; range(1): splits; range(2): 1 = zigzag options on, 0 = off; range(3): 1 =
// every split's UCL counts as forced to 100, so GetSD asks whether the split is horizontal.
void BM_ComposeDiagnosis(benchmark::State& state) {
  RecordingPlatform platform;
  clsData data(platform);
  const auto places = static_cast<std::int32_t>(state.range(0));
  const auto splits = static_cast<std::int16_t>(state.range(1));
  FillSyntheticChart(data, places, splits);
  for (std::int16_t s = 1; s <= splits; ++s)
    data.SetblnUCLForced100(s, state.range(3) != 0).ValueOrThrow();
  MemoryStore store;
  DiagnosisSettings settings(store);
  for (const TestEntry& test : AllTests()) settings.SaveCheckFor(test.key, true);
  const char* option = state.range(2) != 0 ? "-1" : "0";
  for (int o = 0; o < kTestOptionCount; ++o)
    settings.SaveSignificance(OptionKey(static_cast<TestOption>(o)), option);
  std::size_t length = 0;
  for (auto _ : state) {
    data.SetNextHAxLToDiagnose(0);
    length = ComposeDiagnosis(data, settings, platform).ValueOrThrow().size();
    benchmark::DoNotOptimize(length);
  }
  state.counters["report_bytes"] = static_cast<double>(length);
  state.counters["per_place"] = benchmark::Counter(
      static_cast<double>(places),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ComposeDiagnosis)
    ->ArgNames({"places", "splits", "zigzag_options", "forced"})
    ->ArgsProduct({{500, 5000, 30000}, {1, 100}, {1}, {0}})
    ->Args({500, 100, 0, 0})
    ->Args({30000, 100, 0, 0})
    ->Args({500, 1, 1, 1})
    ->Args({30000, 1, 1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevin

BENCHMARK_MAIN();
