#ifndef OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_
#define OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_

// The library's windows for a host that shows them: the report window, the options dialog and
// the Qt message boxes. They live in the window module (window_module.h), loaded on the first
// call. When the module cannot be loaded or no window can open, a call gives the error (the
// platform's calls, which return nothing, throw it), so that a process without a display gets an
// error instead of being stopped by the toolkit.

#include "addon/cls_data.h"
#include "platform/platform.h"
#include "settings/settings_store.h"

namespace ostrevin {

// The Qt platform of the window module.
class OnDemandQtPlatform : public Platform {
 public:
  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
  void SetClipboardText(std::string_view text) override;
  std::string Now() override;
};

// The window step of Show: opens the report window over `data` modally, or gives the reason it
// cannot open.
Status RunReportWindow(clsData& data, SettingsStore& store, Platform& platform);

// Opens the options dialog modally; true when it was closed with OK.
Result<bool> RunOptionsDialog(SettingsStore& store, Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_WINDOW_SYSTEM_H_
