#ifndef OSTREVIN_LIBRARY_WINDOW_MODULE_H_
#define OSTREVIN_LIBRARY_WINDOW_MODULE_H_

// The library's windows live in a module of their own, libOstrevinWindows.so beside
// libOstrevin.so, which the library loads the first time a window opens: a host that only
// diagnoses never loads Qt. Both sides are built from the same sources in one build, so the
// container, the settings store and the platform cross as the C++ objects they are. Nothing is
// thrown across: every failure comes back as a Status.

#include <string>
#include <string_view>

#include "addon/cls_data.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "values/error.h"

namespace ostrevin {

class WindowModule {
 public:
  // The report window over `data`, modal; a QApplication is made for the while if the process
  // has none.
  virtual Status RunReportWindow(clsData& data, SettingsStore& store, Platform& platform) = 0;
  // The options dialog, modal; true when it was closed with OK.
  virtual Result<bool> RunOptionsDialog(SettingsStore& store, Platform& platform) = 0;
  // The Qt platform's message box, clipboard and clock.
  virtual Status MessageBox(std::string_view text, MessageIcon icon, std::string_view title) = 0;
  virtual Status SetClipboardText(std::string_view text) = 0;
  virtual Result<std::string> Now() = 0;

 protected:
  ~WindowModule() = default;
};

// The module's file and its one exported function, which hands out its WindowModule (never null;
// it lives as long as the process).
inline constexpr char kWindowModuleFile[] = "libOstrevinWindows.so";
inline constexpr char kWindowModuleEntry[] = "OstrevinWindowModule";
using WindowModuleEntry = void (*)(WindowModule** module);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_WINDOW_MODULE_H_
