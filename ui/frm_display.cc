#include "ui/frm_display.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "ui/frm_options.h"
#include "ui/qt_twips.h"
#include "ui/report_layout.h"
#include "ui/wrapping_buttons.h"

namespace ostrevin {
namespace {

QPushButton* AddButton(QWidget* window, const char* name, const QString& caption) {
  auto* button = new WrappingPushButton(caption, window);
  button->setObjectName(name);
  return button;
}

}  // namespace

frmDisplay::frmDisplay(clsData& clsD, SettingsStore& store, Platform& platform, QWidget* parent)
    : QDialog(parent), model_(clsD, store, platform) {
  setFont(DesignFont());
  txtDiagnose_ = new QPlainTextEdit(this);
  txtDiagnose_->setObjectName("txtDiagnose");
  txtDiagnose_->setReadOnly(true);
  txtDiagnose_->setTabChangesFocus(true);
  txtDiagnose_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txtDiagnose_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtDiagnose_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtDiagnose_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtDiagnose_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  cmdOptions_ = AddButton(this, "cmdOptions", tr("Diagnosis &Options ..."));
  cmdClose_ = AddButton(this, "cmdClose", tr("Close"));
  cmdClose_->setDefault(true);
  cmdCopy_ = AddButton(this, "cmdCopy", tr("&Copy to Clipboard"));
  cmdDiagnoseFromStart_ = AddButton(this, "cmdDiagnoseFromStart", tr("Diagnose From &Start"));
  setTabOrder(txtDiagnose_, cmdOptions_);
  setTabOrder(cmdOptions_, cmdClose_);
  setTabOrder(cmdClose_, cmdCopy_);
  setTabOrder(cmdCopy_, cmdDiagnoseFromStart_);

  connect(cmdOptions_, &QPushButton::clicked, this, &frmDisplay::Options);
  connect(cmdDiagnoseFromStart_, &QPushButton::clicked, this, [this] {
    model_.DiagnoseFromStart();
    ShowReport();
  });
  connect(cmdCopy_, &QPushButton::clicked, this, [this] { model_.Copy(); });
  connect(cmdClose_, &QPushButton::clicked, this, &frmDisplay::accept);

  setWindowTitle(tr("Diagnosis Report"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  const TwipScale scale = TwipScale::Of(*this);
  // Made any smaller, the buttons would overlap or be cut off.
  setMinimumSize(scale.Pixels(ReportMinimumSize().width), scale.Pixels(ReportMinimumSize().height));
  resize(scale.Pixels(kReportDesignWidth), scale.Pixels(kReportDesignHeight));
  LayOut();
  model_.GetDiagnosis();
  ShowReport();
}

void frmDisplay::ShowReport() {
  // The text box shows lines; the report's own CR LF breaks stay in the model for the clipboard.
  QString text = QString::fromStdString(model_.text());
  text.replace("\r\n", "\n");
  txtDiagnose_->setPlainText(text);
  QTextCursor caret = txtDiagnose_->textCursor();
  caret.setPosition(model_.caret());
  txtDiagnose_->setTextCursor(caret);
  txtDiagnose_->ensureCursorVisible();
}

void frmDisplay::Options() {
  frmOptions options(model_.store(), model_.platform(), this);
  options.exec();
  model_.AfterOptions(options.blnCancel());
  if (!options.blnCancel()) ShowReport();
}

void frmDisplay::LayOut() {
  const TwipScale scale = TwipScale::Of(*this);
  const std::optional<ReportLayout> layout =
      LayoutReportWindow(scale.Twips(width()), scale.Twips(height()), isMinimized());
  if (!layout) return;
  scale.Place(*txtDiagnose_, layout->txtDiagnose);
  scale.Place(*cmdOptions_, layout->cmdOptions);
  scale.Place(*cmdClose_, layout->cmdClose);
  scale.Place(*cmdCopy_, layout->cmdCopy);
  scale.Place(*cmdDiagnoseFromStart_, layout->cmdDiagnoseFromStart);
}

void frmDisplay::resizeEvent(QResizeEvent* /*event*/) {
  LayOut();
}

void frmDisplay::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) LayOut();
  QDialog::changeEvent(event);
}

}  // namespace ostrevin
