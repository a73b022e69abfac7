// The findings JSON: whole documents on a chart whose findings are known, the own shapes of the
// reports that end early, and on generated charts the proof that the JSON and the report text
// say the same thing.
#include "engine/report_json.h"
#include "engine/report_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "settings/settings_keys.h"
#include "tests/engine/report_outline.h"
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
  EXPECT_EQ(Json(), kFrame + R"(  "outcome": "diagnosed",
  "range": {
    "start": {
      "place": 2,
      "label": "D3"
    },
    "end": {
      "place": 5,
      "label": "D6"
    },
    "last_finished": {
      "place": 1,
      "label": "D2"
    }
  },
  "graphs": [
    {
      "graph": 0,
      "name": null,
      "splits": [
        {
          "split": 0,
          "first_place": {
            "place": 0,
            "label": "D1"
          },
          "limit_split": 0,
          "kind": null,
          "summary": {
            "lcl": null,
            "centre": 10.25,
            "ucl": 13.0
          },
          "findings": [
            {
              "test": "DiagnoseForAllAboveUCL",
              "first": {
                "place": 2,
                "label": "D3"
              },
              "last": {
                "place": 2,
                "label": "D3"
              },
              "count": 1,
              "side": "above"
            }
          ]
        }
      ],
      "explanations": [
        {
          "test": "DiagnoseForAllAboveUCL",
          "text": "Points ABOVE or ON the Upper Control Limit."
        },
        {
          "test": "DiagnoseForAllBelowLCL",
          "text": "Points BELOW or ON the Lower Control Limit."
        },
        {
          "test": "DiagnoseForAllAboveBelowMean",
          "text": "8 consecutive points either side of the central line."
        }
      ]
    }
  ],
  "next_start": null,
  "end_of_data": true
})");
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

// A random chart of `places` places: one or two graphs, up to four splits of every kind, values
// that wander, jump and zigzag, every test switched on, and a random start.
void Generate(std::mt19937& random, clsData& d) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const std::int16_t types[] = {-2, -1, 0};
  d.SetCType(pick(0, 15) == 0 ? std::int16_t{-7} : types[pick(0, 2)]);
  const auto places = static_cast<std::int16_t>(pick(12, 150));
  d.SetTNVal(static_cast<std::int16_t>(places - 1));
  d.SetIsDataIn(true);
  d.SetTitle(0, "Generated");
  const auto splits = static_cast<std::int16_t>(pick(1, 4));
  d.SetSplitp(splits);
  for (std::int16_t s = 1; s < splits; ++s)
    d.SetSplit(s, static_cast<std::int16_t>(places * s / splits));
  d.SetSplit(splits, places);
  for (std::int16_t s = 0; s < splits; ++s) {
    const int kind = pick(0, 5);
    if (kind == 1) d.SetSplitRun(s, 1);
    if (kind == 2) d.SetSplitNone(s, 1);
    if (kind == 3 && s > 0) d.SetNewXV(s, -1);
    for (std::int16_t g = 0; g < 2; ++g) {
      d.SetUcl(s + 1, g, g == 0 ? 13.0f : 6.0f);
      d.SetLcl(s + 1, g, g == 0 ? 7.0f : 0.0f);
    }
    d.SetMx(s + 1, 10);
    d.SetMr(s + 1, 2);
  }
  std::normal_distribution<float> noise(0.0f, 1.0f);
  float level = 10;
  for (std::int16_t p = 0; p < places; ++p) {
    if (pick(0, 15) == 0) level = 10.0f + static_cast<float>(pick(-3, 3));
    const float zig = pick(0, 3) == 0 ? (p % 2 == 0 ? 2.5f : -2.5f) : 0.0f;
    const float value = level + zig + noise(random) + (pick(0, 20) == 0 ? 3.5f : 0.0f);
    d.SetHAxL(p, "P" + std::to_string(p + 1));
    d.SetXData(p, value);
    d.SetXDataI(p, pick(0, 25) == 0 ? 0 : 1);
    d.SetGV(p, value);
    if (p > 0) d.SetRData(p - 1, std::abs(value - d.XData(p - 1)));
    if (p > 0) d.SetRDataI(p - 1, 1);
    for (std::int16_t g = 0; g < 2; ++g) {
      d.SetPointStatsUcl(p, g, g == 0 ? 13.0f : 6.0f);
      d.SetPointStatsCentre(p, g, g == 0 ? 10.0f : 2.0f);
      d.SetPointStatsLcl(p, g, g == 0 ? 7.0f : 0.0f);
      d.SetPointStatsblnUclVisible(p, g, true);
      d.SetPointStatsblnCentreVisible(p, g, true);
      d.SetPointStatsblnLclVisible(p, g, g == 0);
    }
  }
  d.SetNextHAxLToDiagnose(static_cast<std::int16_t>(pick(0, 4) == 0 ? pick(-2, places + 1) : 0));
}

TEST(ReportJsonAgreesTest, GeneratedChartsSayTheSameInTextAndJson) {
  MemoryStore store;
  DiagnosisSettings settings(store);
  for (const SettingKey& key : AllSettingKeys())
    if (key.section == DiagnosisSettings::kCheckFor) settings.SaveCheckFor(key.key, true);
  std::mt19937 random(20261206);
  std::size_t findings = 0;
  for (int chart = 0; chart < 300; ++chart) {
    RecordingPlatform platform;
    clsData d(platform);
    Generate(random, d);
    const Report report = ComposeReport(d, settings, platform);
    const std::vector<std::string> from_text = outline::FromText(ReportText(report));
    const std::vector<std::string> from_json = outline::FromJson(FindingsJson(report));
    ASSERT_EQ(from_text, from_json) << "chart " << chart;
    findings += outline::FindingCount(from_json);
  }
  EXPECT_GT(findings, 1000u);  // the charts are made to signal, so the check has something to do
}

}  // namespace
}  // namespace ostrevin
