#include "bench/synthetic_chart_file.h"

#include "addon/cls_data.h"
#include "bench/synthetic_chart.h"
#include "chartfile/chart_file.h"
#include "chartfile/in_process_chart.h"
#include "engine/signal_tests.h"
#include "platform/recording_platform.h"

namespace ostrevin {

Status WriteSyntheticChartFile(const std::filesystem::path& path, std::int32_t places,
                               std::int16_t splits) {
  RecordingPlatform platform;
  clsData data(platform);
  FillSyntheticChart(data, places, splits);
  InProcessChart chart(data);
  return WriteChartFileAtomically(path, chart);
}

std::string AllTestsSettings() {
  std::string text = "[CheckFor]\n";
  for (const TestEntry& test : AllTests()) text += std::string(test.key) + "=-1\n";
  return text;
}

}  // namespace ostrevin
