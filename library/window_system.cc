#include "library/window_system.h"

#include <QApplication>
#include <cstdlib>

#include "platform/qt_platform.h"
#include "ui/report_window.h"

namespace ostrevin {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

void RequireWindowSystem() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    if (qobject_cast<QApplication*>(app) == nullptr)
      throw Error::InvalidInput(
          "cannot open a window: the process runs a Qt application without widgets");
    return;
  }
  // Without these Qt cannot reach a display and would stop the whole process.
  if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) return;
  throw Error::InvalidInput(
      "cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM)");
}

void OnDemandQtPlatform::MessageBox(std::string_view text, MessageIcon icon,
                                    std::string_view title) {
  RequireWindowSystem();
  QtPlatform().MessageBox(text, icon, title);
}

void OnDemandQtPlatform::SetClipboardText(std::string_view text) {
  RequireWindowSystem();
  QtPlatform().SetClipboardText(text);
}

std::string OnDemandQtPlatform::Now() {
  RequireWindowSystem();
  return QtPlatform().Now();
}

void RunReportWindow(clsData& data, SettingsStore& store, Platform& platform) {
  RequireWindowSystem();
  ReportWindowFor(store, platform)(data);
}

bool RunOptionsDialog(SettingsStore& store, Platform& platform) {
  RequireWindowSystem();
  return ShowOptionsDialog(store, platform);
}

}  // namespace ostrevin
