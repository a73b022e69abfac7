#ifndef OSTREVIN_UI_FRM_DISPLAY_H_
#define OSTREVIN_UI_FRM_DISPLAY_H_

#include <QDialog>

#include "ui/report_window_model.h"

class QPlainTextEdit;
class QPushButton;

namespace ostrevin {

// The modal window "Diagnosis Report": the report in a scrolling text box and the buttons to
// change the options, diagnose from the start, copy the report and close. Built and bound here;
// what the buttons do lives in ReportWindowModel.
class frmDisplay : public QDialog {
  Q_OBJECT

 public:
  // Loads the window: composes the first report over `clsD`. All three must outlive the window.
  frmDisplay(clsData& clsD, SettingsStore& store, Platform& platform, QWidget* parent = nullptr);

  const ReportWindowModel& model() const { return model_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowReport();
  void Options();
  void LayOut();

  ReportWindowModel model_;
  QPlainTextEdit* txtDiagnose_;
  QPushButton* cmdOptions_;
  QPushButton* cmdClose_;
  QPushButton* cmdCopy_;
  QPushButton* cmdDiagnoseFromStart_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_FRM_DISPLAY_H_
