// The findings JSON: a whole document on a chart whose findings are known and the own shapes of
// the reports that end early; the example charts' documents are checked whole by the command.
#include "engine/report_json.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "tests/ui/small_chart.h"

namespace ostrevin {
namespace {

// The small chart of the window tests moved to a centre of 10.25: D3 lies
// above the UCL; D5 lies below the LCL, which is not shown, so only the UCL test finds a point.
class ReportJsonTest : public ::testing::Test {
 protected:
  ReportJsonTest() {
    FillSmallChart(data);
    data.SetMx(1, 10.25f);
    for (std::int16_t p = 0; p < 6; ++p) {
      data.SetPointStatsCentre(p, 0, 10.25f);
      data.SetPointStatsblnLclVisible(p, 0, false);
    }
  }
  std::string Json() { return FindingsJson(ComposeReport(data, settings, platform)); }

  RecordingPlatform platform;
  clsData data{platform};
  MemoryStore store;
  DiagnosisSettings settings{store};
};

const std::string kFrame =
    "{\n"
    "  \"format\": \"ostrevin-findings\",\n"
    "  \"version\": 1,\n"
    "  \"title\": \"Widths\",\n"
    "  \"file\": null,\n"
    "  \"date_time\": \"06/12/2026 10:30:00\",\n"
    "  \"chart_type\": -2,\n"
    "  \"graph_names\": [\n"
    "    null\n"
    "  ],\n"
    "  \"last_place\": 5,\n";

TEST_F(ReportJsonTest, WholeDocumentOfADiagnosis) {
  data.SetNextHAxLToDiagnose(2);
  std::ifstream golden(OSTREVIN_TESTS_DIR "/engine/golden/small-chart-findings.json",
                       std::ios::binary);
  std::ostringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(Json() + "\n", expected.str());
}

// Past the end, too little data and CuSum charts: each its own shape, nothing diagnosed.
TEST_F(ReportJsonTest, ReportsThatEndEarly) {
  data.SetNextHAxLToDiagnose(6);
  EXPECT_EQ(Json(), kFrame + R"(  "outcome": "past_end",
  "past_end": {
    "last_finished": {
      "place": 5,
      "label": "D6"
    },
    "beyond_end_of_data": false
  }
})");
  data.SetNextHAxLToDiagnose(9);
  EXPECT_EQ(Json(), kFrame + R"(  "outcome": "past_end",
  "past_end": {
    "last_finished": null,
    "beyond_end_of_data": true
  }
})");
  data.SetNextHAxLToDiagnose(5);
  data.SetIsDataIn(false);
  const std::string range = R"(  "range": {
    "start": {
      "place": 5,
      "label": "D6"
    },
    "end": {
      "place": 5,
      "label": "D6"
    },
    "last_finished": {
      "place": 4,
      "label": "D5"
    }
  })";
  EXPECT_EQ(Json(), kFrame + "  \"outcome\": \"insufficient_data\",\n" + range + "\n}");
  data.SetIsDataIn(true);
  data.SetCType(-7);
  std::string cusum = kFrame + "  \"outcome\": \"diagnosed\",\n" + range + R"(,
  "graphs": [
    {
      "graph": 0,
      "name": null,
      "unavailable": "Unavailable to CuSum chart."
    }
  ],
  "next_start": null,
  "end_of_data": true
})";
  cusum.replace(cusum.find("-2"), 2, "-7");
  EXPECT_EQ(Json(), cusum);
}

}  // namespace
}  // namespace ostrevin
