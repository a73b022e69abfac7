#include "engine/report.h"

#include <gtest/gtest.h>

#include <string>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"
#include "tests/ui/small_chart.h"

namespace ostrevin {
namespace {

const std::string kNow = "06/12/2026 10:30:00";

// The small chart of the window tests: D1..D6 with limits 7 and 13 around 10.
class ReportTest : public ::testing::Test {
 protected:
  explicit ReportTest(std::int16_t ctype = -2) {
    FillSmallChart(data);
    data.SetCType(ctype);
  }
  std::string Compose() { return ComposeDiagnosis(data, settings, platform).ValueOrThrow(); }

  RecordingPlatform platform;
  clsData data{platform};
  MemoryStore store;
  DiagnosisSettings settings{store};
};

TEST_F(ReportTest, WholeReportThenCarryingOnPastTheEnd) {
  EXPECT_EQ(Compose(), SmallChartReport(kNow));
  EXPECT_EQ(data.NextHAxLToDiagnose(), 6);
  EXPECT_EQ(data.GVMax(), 5);

  EXPECT_EQ(Compose(), SmallChartEndReport(kNow));
  EXPECT_EQ(data.NextHAxLToDiagnose(), 6);

  data.SetNextHAxLToDiagnose(7);
  EXPECT_EQ(Compose(), GoldenReport("engine/golden/small-chart-beyond-end.txt", kNow));
}

TEST_F(ReportTest, CarriesOnFromTheMiddle) {
  data.SetNextHAxLToDiagnose(3);
  data.SetXDataI(5, 0).ValueOrThrow();  // the last place has no value: the next run starts after D5
  data.SetblnQuorvaFileNameSetByUser(true);
  data.SetstrQuorvaFileName("widths.qrv");
  EXPECT_EQ(Compose(), GoldenReport("engine/golden/small-chart-from-the-middle.txt", kNow));
  EXPECT_EQ(data.NextHAxLToDiagnose(), 5);
}

TEST_F(ReportTest, StartLinesAndRunsWithoutValues) {
  struct Row {
    std::int16_t next;
    const char* range_lines;
  };
  const Row rows[] = {
      {-4, "Starting at D1 (Place number 1) to D6 (Place number 6)\r\n"},
      {1, "Starting at D2 (Place number 2) to D6 (Place number 6)\r\n"},
  };
  for (const Row& row : rows) {
    data.SetNextHAxLToDiagnose(row.next);
    const std::string report = Compose();
    EXPECT_EQ(report.substr(0, report.find("Date & Time")),
              "Diagnostics report for Widths\r\n" + std::string(row.range_lines))
        << row.next;
  }
  // No place from the start on holds a value: the next run starts where this one did.
  for (std::int16_t p = 3; p <= 5; ++p) data.SetXDataI(p, 0).ValueOrThrow();
  data.SetNextHAxLToDiagnose(3);
  EXPECT_NE(Compose().find("Start of next diagnosis is D4 (Place number 4)"), std::string::npos);
  EXPECT_EQ(data.NextHAxLToDiagnose(), 3);
}

TEST_F(ReportTest, InsufficientDataLeavesTheNextStartAlone) {
  data.SetIsDataIn(false);
  data.SetTitle(0, "").ValueOrThrow();
  data.SetNextHAxLToDiagnose(2);
  EXPECT_EQ(Compose(), GoldenReport("engine/golden/insufficient-data.txt", kNow));
  EXPECT_EQ(data.NextHAxLToDiagnose(), 2);
}

class MeasurementsReportTest : public ReportTest {
 protected:
  MeasurementsReportTest() : ReportTest(-1) {
    const float ranges[] = {1, 3, 5, 4, 5};
    for (std::int16_t k = 0; k < 5; ++k) {
      data.SetRData(k, ranges[k]).ValueOrThrow();
      data.SetRDataI(k, 1).ValueOrThrow();
    }
    ShowLines(data, 1, 0, 5, 6, 2, 0);
    data.SetUcl(1, 1, 6).ValueOrThrow();
    data.SetLcl(1, 1, 0).ValueOrThrow();
    data.SetMr(1, 2).ValueOrThrow();
  }
};

TEST_F(MeasurementsReportTest, TwoGraphsWithTheirNames) {
  EXPECT_EQ(Compose(), GoldenReport("engine/golden/small-chart-two-graphs.txt", kNow));
  // The plotted values left in the container are those of the moving-range graph.
  EXPECT_EQ(data.PGV(0), 0.0f);
  EXPECT_EQ(data.PGVI(0), 0);
  EXPECT_EQ(data.PGV(3), 5.0f);
}

}  // namespace
}  // namespace ostrevin
