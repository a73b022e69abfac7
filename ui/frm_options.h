#ifndef OSTREVIN_UI_FRM_OPTIONS_H_
#define OSTREVIN_UI_FRM_OPTIONS_H_

#include <QDialog>

#include "ui/options_model.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace ostrevin {

class TwipScale;
class Platform;
class SettingsStore;

// The modal dialog "Diagnosis Options": four pages of tests chosen by tabs, OK, Cancel, Defaults
// and an About menu. Built and bound here; what the controls mean lives in OptionsModel.
class frmOptions : public QDialog {
  Q_OBJECT

 public:
  // Loads the controls from `store`. `store` and `platform` must outlive the dialog.
  frmOptions(SettingsStore& store, Platform& platform, QWidget* parent = nullptr);

  // False exactly when the dialog was closed by a successful OK.
  bool blnCancel() const { return model_.blnCancel(); }
  const OptionsModel& model() const { return model_; }

 private:
  // Label1, the tab strip with its four pages and the SD note.
  void AddTabs(QWidget& client, const TwipScale& scale);
  // OK, Cancel and Defaults.
  void AddButtons(QWidget& client, const TwipScale& scale);
  void TabClicked(int index);
  void Ok();
  void Defaults();

  OptionsModel model_;
  Platform* platform_;
  QTabWidget* tbsLookFor_;
  QLabel* lblWhatIsSD_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_FRM_OPTIONS_H_
