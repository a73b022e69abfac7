#ifndef OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_
#define OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_

// The library's windows for a host that shows them: the report window, the options dialog and
// the Qt message boxes, each opened only after checking that a window can open at all, so that a
// process without a display gets an error instead of being stopped by the toolkit.

#include "addon/cls_data.h"
#include "platform/platform.h"
#include "settings/settings_store.h"

namespace ostrevin {

// Throws Error (no number) when no window can open: the process has no QApplication (a plain
// QCoreApplication cannot show widgets) and no display is configured.
void RequireWindowSystem();

// The Qt platform, made anew for every call (so that it never outlives the QApplication it
// relied on), after RequireWindowSystem.
class OnDemandQtPlatform : public Platform {
 public:
  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
  void SetClipboardText(std::string_view text) override;
  std::string Now() override;
};

// The window step of Show: opens the report window over `data` modally; a QApplication is made
// for the while if the process has none.
void RunReportWindow(clsData& data, SettingsStore& store, Platform& platform);

// Opens the options dialog modally; true when it was closed with OK.
bool RunOptionsDialog(SettingsStore& store, Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_
