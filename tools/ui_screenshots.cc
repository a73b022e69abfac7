// Renders the report window over examples/measurements.json and each page of the options dialog
// to PNG files, for the documentation:
//   ui_screenshots [OUTPUT_DIR]      (default: docs/screenshots in the source tree)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <iostream>
#include <string>

#include "chartfile/in_process_chart.h"
#include "platform/console_platform.h"
#include "settings/memory_store.h"
#include "ui/frm_display.h"
#include "ui/frm_options.h"

namespace {

bool Save(QWidget& window, const QDir& dir, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QString path = dir.filePath(name);
  if (!window.grab().save(path)) {
    std::cerr << "cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString(argv[1]) : QString(OSTREVIN_SOURCE_DIR "/docs/screenshots"));
  ostrevin::ConsolePlatform platform(std::cerr, "06/12/2026 10:30:00");
  ostrevin::MemoryStore store;

  auto chart = ostrevin::ReadChartFile(OSTREVIN_SOURCE_DIR "/examples/measurements.json", platform);
  if (!chart.ok()) {
    std::cerr << chart.error().ToString() << "\n";
    return 1;
  }
  bool ok = true;
  {
    ostrevin::frmDisplay report(chart.value(), store, platform);
    ok &= Save(report, dir, "report-window.png");
  }
  const char* pages[] = {"options-common.png", "options-patterns.png", "options-levels.png",
                         "options-advanced-levels.png"};
  for (int i = 0; i < 4; ++i) {
    ostrevin::frmOptions options(store, platform);
    options.findChild<QTabWidget*>("tbsLookFor")->setCurrentIndex(i);
    ok &= Save(options, dir, pages[i]);
  }
  return ok ? 0 : 1;
}
