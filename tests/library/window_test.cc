// A host that knows nothing of the console: Show opens the real report window. The test is a Qt
// host with its own QApplication, which the library uses instead of making one.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include "chartfile/chart_file.h"
#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

TEST(WindowTest, ShowOpensTheReportWindowAndReturnsWhenItCloses) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "window_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  ChartObject chart = NewChart();
  ASSERT_TRUE(
      ReadChartFile(std::filesystem::path(OSTREVIN_EXAMPLES_DIR) / "measurements.json", chart)
          .ok());
  const std::string settings = (ScratchDir() / "settings.ini").string();
  chart.dispatch().object().As<IOstDiagnosisOptions>()->SetSettingsFile(settings.c_str());

  // Closes the report window once it is up, keeping what it shows.
  QString shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* window = QApplication::activeModalWidget()) {
      shown = window->windowTitle() + "|" +
              window->findChild<QPlainTextEdit*>("txtDiagnose")->toPlainText().section('\n', 0, 0);
      window->close();
    }
  });
  closer.start(50);
  ASSERT_TRUE(chart.dispatch().CallByName("Show").ok());
  EXPECT_EQ(shown.toStdString(),
            "Diagnosis Report|Diagnostics report for Fill weight of 500 g bags");
  // Loading the window diagnosed the chart to its end, as the console's Show does.
  EXPECT_EQ(*chart.dispatch().GetByName("NextHAxLToDiagnose"), Variant(std::int16_t{40}));
}

}  // namespace
}  // namespace ostrevin
