#include "ui/report_window_model.h"

#include <exception>

#include "addon/cls_data.h"
#include "engine/report.h"
#include "platform/platform.h"
#include "settings/diagnosis_settings.h"
#include "values/error.h"

namespace ostrevin {

ReportWindowModel::ReportWindowModel(clsData& clsD, SettingsStore& store, Platform& platform)
    : clsD_(&clsD), store_(&store), platform_(&platform) {}

const std::string& ReportWindowModel::GetDiagnosis() {
  // What the engine throws (no memory) must not leave the window, and the host waiting in Show,
  // with an unhandled exception either.
  try {
    // Each diagnosis reads the choice of tests anew, so that one made in the options dialog
    // applies to the next.
    const DiagnosisSettings settings(*store_);
    shown_from_ = clsD_->NextHAxLToDiagnose();
    Result<std::string> text = ComposeDiagnosis(*clsD_, settings, *platform_);
    if (text) {
      text_ = std::move(text).value();
    } else {
      ReportError(text.error());
    }
  } catch (const Error& e) {
    ReportError(e);
  } catch (const std::exception& e) {
    ReportFailure(e.what(), "");
  }
  caret_ = 0;
  return text_;
}

void ReportWindowModel::ReportError(const Error& e) {
  const std::string number = std::to_string(e.number());
  if (e.number() == Error::kInvalidInput) {
    ReportFailure(e.message(), "");
  } else {
    ReportFailure("Error " + number + ": " + e.message(), " (error " + number + ")");
  }
}

void ReportWindowModel::ReportFailure(const std::string& detail, const std::string& brief) {
  text_ = "The diagnosis could not be completed" + brief + ".";
  platform_->MessageBox("The diagnosis could not be completed.\n\n" + detail,
                        MessageIcon::kExclamation);
}

void ReportWindowModel::DiagnoseFromStart() {
  clsD_->SetNextHAxLToDiagnose(0);
  GetDiagnosis();
}

void ReportWindowModel::Copy() {
  platform_->SetClipboardText(text_);
}

void ReportWindowModel::AfterOptions(bool blnCancel) {
  if (blnCancel) return;
  // Composing carried the next start on past the report shown; the user wants to see those
  // places again under the new tests, not "nothing to report".
  clsD_->SetNextHAxLToDiagnose(shown_from_);
  GetDiagnosis();
}

}  // namespace ostrevin
