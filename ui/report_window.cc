#include "ui/report_window.h"

#include "platform/qt_platform.h"
#include "ui/frm_display.h"
#include "ui/frm_options.h"

namespace ostrevin {

void ShowReportWindow(clsData& data, SettingsStore& store, Platform& platform) {
  QtApplicationScope application;
  frmDisplay window(data, store, platform);
  window.exec();
}

clsData::ReportWindow ReportWindowFor(SettingsStore& store, Platform& platform) {
  return [&store, &platform](clsData& data) -> Status {
    ShowReportWindow(data, store, platform);
    return Ok{};
  };
}

bool ShowOptionsDialog(SettingsStore& store, Platform& platform) {
  QtApplicationScope application;
  frmOptions dialog(store, platform);
  dialog.exec();
  return !dialog.blnCancel();
}

}  // namespace ostrevin
