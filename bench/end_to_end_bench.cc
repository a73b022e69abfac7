// `ostrevin diagnose` on a chart file of 30,000 places (two graphs, 100 splits) with all thirteen
// tests on: the real command from start to exit, the start alone (`ostrevin info` loads the
// library and prints a few lines), and the two phases in between measured inside this process
// through the same library and the same code the command runs: reading the chart file into the
// library's container, and Show composing the report on the console.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "abi/abi_values.h"
#include "bench/synthetic_chart_file.h"
#include "chartfile/chart_file.h"
#include "client/chart_object.h"
#include "client/component_loader.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kPlaces = 30000;
constexpr std::int16_t kSplits = 100;

struct Files {
  fs::path chart;
  fs::path settings;
};

const Files& TheFiles() {
  static const Files files = [] {
    const fs::path dir = fs::temp_directory_path() / "ostrevin_end_to_end_bench";
    fs::create_directories(dir);
    Files f{dir / "chart.json", dir / "all-tests.ini"};
    WriteSyntheticChartFile(f.chart, kPlaces, kSplits).ValueOrThrow();
    std::ofstream(f.settings) << AllTestsSettings();
    return f;
  }();
  return files;
}

// Runs the command with its output thrown away; returns its peak resident memory in kB.
long RunCommand(const std::vector<std::string>& args) {
  const std::string program = OSTREVIN_COMMAND;
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null < 0 || ::dup2(null, 1) < 0) ::_exit(127);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    throw std::runtime_error("ostrevin " + args[0] + " failed");
  return usage.ru_maxrss;
}

void BM_Command(benchmark::State& state, bool diagnose) {
  const Files& f = TheFiles();
  const std::vector<std::string> args =
      diagnose ? std::vector<std::string>{"diagnose",          f.chart.string(), "--settings",
                                          f.settings.string(), "--date-time",    "now"}
               : std::vector<std::string>{"info"};
  long peak_kb = 0;
  for (auto _ : state) peak_kb = std::max(peak_kb, RunCommand(args));
  state.counters["peak_rss_MB"] = static_cast<double>(peak_kb) / 1024.0;
}
BENCHMARK_CAPTURE(BM_Command, start, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Command, diagnose, true)->Unit(benchmark::kMillisecond)->UseRealTime();

const ComponentLibrary& Library() {
  static const ComponentLibrary library =
      ComponentLibrary::Open(OSTREVIN_LIBRARY_PATH).ValueOrThrow();
  return library;
}

ChartObject NewChart() {
  return ChartObject::Create(Library().Create<IOstDispatch>(kClsidClsData).ValueOrThrow())
      .ValueOrThrow();
}

void BM_ReadChartFile(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    ChartObject chart = NewChart();
    ReadChartFile(f.chart, chart).ValueOrThrow();
  }
}
BENCHMARK(BM_ReadChartFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowOnConsole(benchmark::State& state) {
  const Files& f = TheFiles();
  ChartObject chart = NewChart();
  ReadChartFile(f.chart, chart).ValueOrThrow();
  auto console = chart.dispatch().object().As<IOstReportConsole>();
  auto options = chart.dispatch().object().As<IOstDiagnosisOptions>();
  if (!console || !options || !OstSucceeded(console->UseConsole("now", kOstBoolTrue)) ||
      !OstSucceeded(options->SetSettingsFile(f.settings.c_str())))
    throw std::runtime_error("the library offers no console");
  std::size_t bytes = 0;
  for (auto _ : state) {
    chart.dispatch().CallByName("Show").ValueOrThrow();
    OwnedOstString report;
    console->GetReport(report.get());
    bytes = report.str().size();
  }
  state.counters["report_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ShowOnConsole)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ostrevin

BENCHMARK_MAIN();
