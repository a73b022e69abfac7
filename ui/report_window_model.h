#ifndef OSTREVIN_UI_REPORT_WINDOW_MODEL_H_
#define OSTREVIN_UI_REPORT_WINDOW_MODEL_H_

#include <cstdint>
#include <string>

#include "settings/settings_store.h"

namespace ostrevin {

class clsData;
class Error;
class Platform;
class SettingsStore;

// What the report window does, without the window: it holds the container while the window is
// open and the report text that the window shows.
class ReportWindowModel {
 public:
  // All three must outlive the model.
  ReportWindowModel(clsData& clsD, SettingsStore& store, Platform& platform);

  // Composes the report from the container's NextHAxLToDiagnose and returns it; the caret goes to
  // position 0. An error while composing is shown in a message box with its number and text, and
  // the report then says that the diagnosis failed; the window stays usable.
  const std::string& GetDiagnosis();
  // Sets NextHAxLToDiagnose to 0, then composes.
  void DiagnoseFromStart();
  // Clears the clipboard and puts the whole report on it.
  void Copy();
  // After the options dialog has closed: when it was confirmed with OK, composes the report
  // shown again, from the place it started at, under the new choice of tests.
  void AfterOptions(bool blnCancel);

  const std::string& text() const { return text_; }
  std::int32_t caret() const { return caret_; }
  clsData& clsD() { return *clsD_; }
  SettingsStore& store() { return *store_; }
  Platform& platform() { return *platform_; }

 private:
  void ReportError(const Error& error);
  void ReportFailure(const std::string& detail, const std::string& brief);

  clsData* clsD_;
  SettingsStore* store_;
  Platform* platform_;
  std::string text_;
  std::int32_t caret_ = 0;
  std::int16_t shown_from_ = 0;  // NextHAxLToDiagnose when the report shown was composed
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_REPORT_WINDOW_MODEL_H_
