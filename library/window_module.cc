// libOstrevinWindows.so: the report window, the options dialog and the Qt platform, each opened
// only after checking that a window can open at all, so that a process without a display gets an
// error instead of being stopped by the toolkit.

#include "library/window_module.h"

#include <QApplication>
#include <cstdlib>
#include <exception>
#include <type_traits>

#include "platform/qt_platform.h"
#include "ui/report_window.h"

namespace ostrevin {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Fails when no window can open: the process runs a plain QCoreApplication, which cannot show
// widgets, or has no application and no display is configured.
Status RequireWindowSystem() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    if (qobject_cast<QApplication*>(app) == nullptr)
      return Error::InvalidInput(
          "cannot open a window: the process runs a Qt application without widgets");
    return Ok{};
  }
  // Without these Qt cannot reach a display and would stop the whole process.
  if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) return Ok{};
  return Error::InvalidInput(
      "cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM)");
}

// Runs `body` once a window can open; what it throws comes back as the error it is.
template <class T, class Body>
Result<T> Windowed(Body&& body) {
  if (Status ready = RequireWindowSystem(); !ready) return ready.error();
  try {
    return body();
  } catch (const Error& error) {
    return error;
  } catch (const std::exception& error) {
    return Error::InvalidInput(error.what());
  }
}

class QtWindows final : public WindowModule {
 public:
  Status RunReportWindow(clsData& data, SettingsStore& store, Platform& platform) override {
    return Windowed<Ok>([&] { return ReportWindowFor(store, platform)(data); });
  }
  Result<bool> RunOptionsDialog(SettingsStore& store, Platform& platform) override {
    return Windowed<bool>([&] { return ShowOptionsDialog(store, platform); });
  }
  // The Qt platform is made anew for every call, so that it never outlives the QApplication it
  // relied on.
  Status MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override {
    return Windowed<Ok>([&] {
      QtPlatform().MessageBox(text, icon, title);
      return Ok{};
    });
  }
  Status SetClipboardText(std::string_view text) override {
    return Windowed<Ok>([&] {
      QtPlatform().SetClipboardText(text);
      return Ok{};
    });
  }
  Result<std::string> Now() override {
    return Windowed<std::string>([] { return QtPlatform().Now(); });
  }
};

}  // namespace
}  // namespace ostrevin

extern "C" __attribute__((visibility("default"))) void OstrevinWindowModule(
    ostrevin::WindowModule** module) {
  static ostrevin::QtWindows windows;
  *module = &windows;
}

static_assert(std::is_same_v<decltype(&OstrevinWindowModule), ostrevin::WindowModuleEntry>);
