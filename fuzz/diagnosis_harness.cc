#include <iterator>
#include <string>

#include "addon/cls_data.h"
#include "chartfile/chart_file.h"
#include "chartfile/in_process_chart.h"
#include "engine/report.h"
#include "engine/signal_tests.h"
#include "fuzz/harnesses.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"

namespace ostrevin {

namespace {

// Numbers of points the tests need; the second diagnosis of every input uses one of these for
// all of them: the smallest that make sense, nonsense ones and the largest.
constexpr std::string_view kThresholds[] = {"1", "2", "0", "-3", "32767"};

void Diagnose(clsData& data, const DiagnosisSettings& settings, RecordingPlatform& platform) {
  std::string report;
  data.SetReportWindow([&](clsData& d) -> Status {
    OSTREVIN_ASSIGN_OR_RETURN(report, ComposeDiagnosis(d, settings, platform));
    return Ok{};
  });
  // The container refusing an index or a conversion stops the diagnosis, as it should.
  if (!data.Show()) return;
  FuzzCheck(report.starts_with("Diagnostics report"), "the report has no header");
}

}  // namespace

void FuzzDiagnosis(std::string_view text) {
  RecordingPlatform platform;
  clsData data(platform);
  InProcessChart chart(data);
  // A read that fails part way leaves the members before the failing one applied: the engine must
  // cope with whatever a container holds, so that is diagnosed too.
  (void)ApplyChartText(text, "fuzz.json", chart);
  // The work of a diagnosis grows with the places; larger charts are the benchmarks' business.
  if (data.TNVal() > kMaxFuzzPlaces || data.NSam() > kMaxFuzzPlaces) return;

  MemoryStore store;
  DiagnosisSettings settings(store);
  for (const TestEntry& test : AllTests()) settings.SaveCheckFor(test.key, true);
  const std::int16_t start = data.NextHAxLToDiagnose();
  Diagnose(data, settings, platform);

  const std::string_view threshold = kThresholds[text.size() % std::size(kThresholds)];
  for (const TestEntry& test : AllTests()) {
    if (!test.threshold.empty()) settings.SaveSignificance(test.threshold, threshold);
  }
  for (int o = 0; o < kTestOptionCount; ++o)
    settings.SaveSignificance(OptionKey(static_cast<TestOption>(o)),
                              text.size() % 2 == 0 ? "-1" : "0");
  data.SetNextHAxLToDiagnose(start);
  Diagnose(data, settings, platform);
}

}  // namespace ostrevin
