#ifndef OSTREVIN_UI_REPORT_WINDOW_H_
#define OSTREVIN_UI_REPORT_WINDOW_H_

// The windows for code that knows nothing of Qt: the host, the container's Show.

#include "addon/cls_data.h"

namespace ostrevin {

class Platform;
class SettingsStore;

// Opens the report window over `data` modally and returns when it has closed: the window step of
// clsData::Show. Creates a QApplication for the while if the process has none.
void ShowReportWindow(clsData& data, SettingsStore& store, Platform& platform);

// The report window as the step clsData::Show runs:
//   data.SetReportWindow(ReportWindowFor(store, platform)); data.Show();
// `store` and `platform` must outlive every Show that runs it.
clsData::ReportWindow ReportWindowFor(SettingsStore& store, Platform& platform);

// Opens the options dialog modally; true when it was closed with OK (and so saved).
bool ShowOptionsDialog(SettingsStore& store, Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_UI_REPORT_WINDOW_H_
