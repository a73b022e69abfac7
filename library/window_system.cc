#include "library/window_system.h"

#include "library/window_module.h"
#include "platform/loadable_module.h"

namespace ostrevin {
namespace {

// The window module beside this library, loaded once; its error is kept for every later call.
Result<WindowModule*> Windows() {
  static const Result<WindowModule*> loaded = []() -> Result<WindowModule*> {
    static const char kHere = 0;
    const std::filesystem::path path = FolderOfCode(&kHere) / kWindowModuleFile;
    Result<WindowModule*> module = LoadModuleObject<WindowModule>(path, kWindowModuleEntry);
    if (!module)
      return module.error().WithContext("cannot open a window: the window module is missing");
    return module;
  }();
  return loaded;
}

}  // namespace

void OnDemandQtPlatform::MessageBox(std::string_view text, MessageIcon icon,
                                    std::string_view title) {
  // A message box has no way to report its failure but the exception.
  Windows().ValueOrThrow()->MessageBox(text, icon, title).ValueOrThrow();
}

void OnDemandQtPlatform::SetClipboardText(std::string_view text) {
  Windows().ValueOrThrow()->SetClipboardText(text).ValueOrThrow();
}

std::string OnDemandQtPlatform::Now() {
  return Windows().ValueOrThrow()->Now().ValueOrThrow();
}

Status RunReportWindow(clsData& data, SettingsStore& store, Platform& platform) {
  OSTREVIN_ASSIGN_OR_RETURN(WindowModule* const windows, Windows());
  return windows->RunReportWindow(data, store, platform);
}

Result<bool> RunOptionsDialog(SettingsStore& store, Platform& platform) {
  OSTREVIN_ASSIGN_OR_RETURN(WindowModule* const windows, Windows());
  return windows->RunOptionsDialog(store, platform);
}

}  // namespace ostrevin
