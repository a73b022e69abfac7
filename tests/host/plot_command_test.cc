// `ostrevin plot`: the marks of the drawing's model on charts whose findings are known, the
// pictures it writes, and its errors, which are those of `ostrevin diagnose`.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>
#include <sstream>

#include "host/console_diagnosis.h"
#include "plot/plot_chart.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

class PlotCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ScratchDir();
    all_tests = (ExamplesDir() / "all-tests.ini").string();
    defaults = (dir / "none.ini").string();
    std::ofstream{defaults};  // an empty settings file: the defaults
  }
  std::string Chart(const std::string& name) { return CopyExample(dir, name); }
  // The model `ostrevin plot` draws for the chart.
  PlotModel ModelOf(const std::string& chart, const std::string& settings) {
    ParsedArgs args;
    args.options = {{"--settings", settings}, {"--library", LibraryUnderTest().string()}};
    std::ostringstream err;
    ConsoleDiagnosis done = DiagnoseOnConsole(chart, args, true, err).ValueOrThrow();
    const std::vector<PlottedSeries> plotted = PlottedValuesOf(done.chart, 2).ValueOrThrow();
    return PlotModelOf(done.chart, done.findings_json, plotted, "untitled").ValueOrThrow();
  }

  fs::path dir;
  std::string all_tests, defaults;
};

// A chart diagnosed to its end says so instead (one diagnosed in part: the golden pictures).
TEST_F(PlotCommandTest, WhatWasDiagnosedIsSaid) {
  const std::string chart = Chart("measurements");
  ChartObject data = ReadChart(chart);
  Set(data, "NextHAxLToDiagnose", {}, std::int16_t{40});
  ASSERT_TRUE(WriteChartFileAtomically(chart, data).ok());
  const PlotModel model = ModelOf(chart, defaults);
  EXPECT_EQ(model.subtitle,
            "Not diagnosed: the last diagnosis finished at 2024-04-12 (40), the end of the data "
            "(--from-start diagnoses it again)");
  EXPECT_TRUE(model.legend.empty());
  EXPECT_EQ(model.panels.size(), 2u);
  EXPECT_EQ(model.panels[1].data.values.size(), 40u);
}

// The command writes an SVG document and a PNG image of the chart, leaving the chart alone.
TEST_F(PlotCommandTest, WritesSvgAndPng) {
  const std::string chart = Chart("varying-limits");
  const std::string before = FileText(chart);
  const std::string svg = (dir / "welds.svg").string(), png = (dir / "welds.PNG").string();
  for (const std::string& output : {svg, png}) {
    const CommandRun run = RunOstrevin({"plot", chart, "-o", output, "--settings", defaults});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FileText(chart), before);

  const std::string text = FileText(svg);
  QXmlStreamReader xml(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.name().toString(), "svg");
  const QStringList box = xml.attributes().value("viewBox").toString().split(' ');
  ASSERT_EQ(box.size(), 4);
  while (!xml.atEnd()) xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_NE(text.find(">Faulty welds</text>"), std::string::npos);

  const QImage image(QString::fromStdString(png), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 2 * box[2].toInt());  // drawn at twice the size, for sharp screens
  EXPECT_EQ(image.height(), 2 * box[3].toInt());

  // A graph the diagnosis cannot judge says so across its panel.
  std::string cusum = FileText(Chart("measurements"));
  const std::string_view individuals = "\"CType\": -1";
  cusum.replace(cusum.find(individuals), individuals.size(), "\"CType\": -7");
  std::ofstream(dir / "cusum.json", std::ios::binary) << cusum;
  const CommandRun plotted =
      RunOstrevin({"plot", (dir / "cusum.json").string(), "-o", svg, "--settings", defaults});
  ASSERT_EQ(plotted.status, 0) << plotted.err;
  EXPECT_NE(FileText(svg).find(">Unavailable to CuSum chart.</text>"), std::string::npos);
}

// Every kind of mark, legend entry, line and label, drawn as on the day the picture was checked.
TEST_F(PlotCommandTest, PatternsChartDrawsTheCheckedPicture) {
  const std::string svg = (dir / "patterns.svg").string();
  const CommandRun run =
      RunOstrevin({"plot", Chart("patterns"), "-o", svg, "--settings", all_tests});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(FileText(svg), FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "patterns-all-tests.svg"));
  // The places diagnosed before are shaded, up to the first one diagnosed now.
  const std::string chart = Chart("measurements");
  const std::string text = FileText(chart);
  std::ofstream(chart, std::ios::binary) << "{\"NextHAxLToDiagnose\": 25," + text.substr(1);
  ASSERT_EQ(RunOstrevin({"plot", chart, "-o", svg, "--settings", defaults}).status, 0);
  EXPECT_EQ(FileText(svg), FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "measurements-from-26.svg"));
}

// Lines at one height keep their labels in order, the UCL's first, the next one nudged below.
TEST_F(PlotCommandTest, LabelsOfLinesAtOneHeightKeepTheirOrder) {
  const std::string chart = Chart("patterns");
  ChartObject data = ReadChart(chart);
  const std::int32_t last = *Get(data, "TNVal").ToInteger();
  Set(data, "PointStatsCentre", {last, 0}, Get(data, "PointStatsUcl", {last, 0}));
  ASSERT_TRUE(WriteChartFileAtomically(chart, data).ok());
  const std::string svg = (dir / "level.svg").string();
  ASSERT_EQ(RunOstrevin({"plot", chart, "-o", svg, "--settings", defaults}).status, 0);
  const std::string text = FileText(svg);
  const std::size_t ucl = text.find(">UCL 63.57<"), centre = text.find(">CL 63.57<");
  ASSERT_NE(centre, std::string::npos);
  EXPECT_LT(ucl, centre);
  auto y_of = [&](std::size_t label) {
    return std::stod(text.substr(text.rfind(" y=\"", label) + 4));
  };
  EXPECT_GE(y_of(centre) - y_of(ucl), 14);  // one line of text apart
}

TEST_F(PlotCommandTest, UnwritableOutputAndAHostWithoutAGui) {
  const std::string chart = Chart("measurements");
  const CommandRun run =
      RunOstrevin({"plot", chart, "--output", (dir / "no" / "such" / "x.png").string(),
                   "--settings", defaults});
  EXPECT_EQ(run.status, kExitUnusable);
  EXPECT_EQ(run.err.substr(0, 10), "ostrevin: ");
  EXPECT_NE(run.err.find((dir / "no" / "such" / "x.png").string()), std::string::npos) << run.err;
  // A process that already runs a Qt application without a GUI cannot draw, and says so.
  int argc = 1;
  char name[] = "host", *argv[] = {name, nullptr};
  QCoreApplication host(argc, argv);
  const CommandRun in_host =
      RunOstrevin({"plot", chart, "-o", (dir / "x.png").string(), "--settings", defaults});
  EXPECT_EQ(in_host.status, kExitUnusable);
  EXPECT_EQ(in_host.err,
            "ostrevin: cannot draw: the process runs a Qt application without a GUI\n");
}

}  // namespace
}  // namespace ostrevin
