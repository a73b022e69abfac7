#include "library/window_system.h"

#include "library/window_module.h"
#include "platform/loadable_module.h"

namespace ostrevin {
namespace {

// The window module beside this library, loaded once; its error is kept for every later call.
WindowModule& Windows() {
  static const Result<WindowModule*> loaded = []() -> Result<WindowModule*> {
    static const char kHere = 0;
    const std::filesystem::path path = FolderOfCode(&kHere) / kWindowModuleFile;
    Result<WindowModule*> module = LoadModuleObject<WindowModule>(path, kWindowModuleEntry);
    if (!module)
      return module.error().WithContext("cannot open a window: the window module is missing");
    return module;
  }();
  if (!loaded) throw loaded.error();
  return **loaded;
}

}  // namespace

void OnDemandQtPlatform::MessageBox(std::string_view text, MessageIcon icon,
                                    std::string_view title) {
  Windows().MessageBox(text, icon, title).ValueOrThrow();
}

void OnDemandQtPlatform::SetClipboardText(std::string_view text) {
  Windows().SetClipboardText(text).ValueOrThrow();
}

std::string OnDemandQtPlatform::Now() {
  return Windows().Now().ValueOrThrow();
}

void RunReportWindow(clsData& data, SettingsStore& store, Platform& platform) {
  Windows().RunReportWindow(data, store, platform).ValueOrThrow();
}

bool RunOptionsDialog(SettingsStore& store, Platform& platform) {
  return Windows().RunOptionsDialog(store, platform).ValueOrThrow();
}

}  // namespace ostrevin
