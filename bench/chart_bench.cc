// `ostrevin chart xmr` in this process, phase by phase, on a CSV of 30,000 measurements: reading
// the CSV, building the chart's members, and writing them as chart-file text to a sink that
// throws the text away (the file system's part is the command's, not these phases').
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "chart/chart_from_data.h"
#include "chart/chart_members.h"
#include "chart/csv_reader.h"

namespace ostrevin {
namespace {

// Weights around 500 with two decimals, as scripts/compare.sh makes them.
const std::string& WeightsCsv() {
  static const std::string text = [] {
    std::mt19937 random(1);
    std::normal_distribution<double> weight(500, 2);
    std::string csv = "Weight\n";
    char line[32];
    for (int i = 0; i < 30000; ++i) {
      std::snprintf(line, sizeof line, "%.2f\n", weight(random));
      csv += line;
    }
    return csv;
  }();
  return text;
}

ChartOptions Xmr() {
  ChartOptions options;
  options.kind = ChartKind::kIndividuals;
  return options;
}

void BM_ReadCsv(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadCsv(WeightsCsv()).ValueOrThrow());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * WeightsCsv().size()));
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MakeChartMembers(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(MakeChartMembers(WeightsCsv(), Xmr()).ValueOrThrow());
}
BENCHMARK(BM_MakeChartMembers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteChartFileText(benchmark::State& state) {
  const ChartMembers members = MakeChartMembers(WeightsCsv(), Xmr()).ValueOrThrow();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    WriteChartFileText(members, [&](std::string_view stretch) -> Status {
      bytes += stretch.size();
      benchmark::DoNotOptimize(stretch.data());
      return Ok{};
    }).ValueOrThrow();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteChartFileText)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ostrevin

BENCHMARK_MAIN();
