// The findings JSON: a whole document on a chart whose findings are known and the own shapes of
// the reports that end early; the example charts' documents are checked whole by the command.
#include "engine/report_json.h"

#include <gtest/gtest.h>

#include <string>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "tests/golden_text.h"
#include "tests/ui/small_chart.h"

namespace ostrevin {
namespace {

// The small chart of the window tests moved to a centre of 10.25: D3 lies
// above the UCL; D5 lies below the LCL, which is not shown, so only the UCL test finds a point.
class ReportJsonTest : public ::testing::Test {
 protected:
  ReportJsonTest() {
    FillSmallChart(data);
    data.SetMx(1, 10.25f).ValueOrThrow();
    for (std::int16_t p = 0; p < 6; ++p) {
      data.SetPointStatsCentre(p, 0, 10.25f).ValueOrThrow();
      data.SetPointStatsblnLclVisible(p, 0, false).ValueOrThrow();
    }
  }
  std::string Json() {
    return FindingsJson(ComposeReport(data, settings, platform).ValueOrThrow());
  }

  RecordingPlatform platform;
  clsData data{platform};
  MemoryStore store;
  DiagnosisSettings settings{store};
};

// The findings document as a golden file holds it, without its final line break.
std::string Golden(const std::string& name) {
  const std::string text = TestFileText("engine/golden/" + name);
  return text.substr(0, text.size() - 1);
}

TEST_F(ReportJsonTest, WholeDocumentOfADiagnosis) {
  data.SetNextHAxLToDiagnose(2);
  EXPECT_EQ(Json(), Golden("small-chart-findings.json"));
}

// Past the end, too little data and CuSum charts: each its own shape, nothing diagnosed.
TEST_F(ReportJsonTest, ReportsThatEndEarly) {
  data.SetNextHAxLToDiagnose(6);
  EXPECT_EQ(Json(), Golden("findings-past-end.json"));
  data.SetNextHAxLToDiagnose(9);
  EXPECT_EQ(Json(), Golden("findings-beyond-end.json"));
  data.SetNextHAxLToDiagnose(5);
  data.SetIsDataIn(false);
  EXPECT_EQ(Json(), Golden("findings-insufficient-data.json"));
  data.SetIsDataIn(true);
  data.SetCType(-7);
  EXPECT_EQ(Json(), Golden("findings-cusum.json"));
}

}  // namespace
}  // namespace ostrevin
