// The report window frmDisplay on the offscreen platform.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/memory_store.h"
#include "tests/ui/small_chart.h"
#include "tests/ui/window_test_support.h"
#include "ui/frm_display.h"
#include "ui/frm_options.h"
#include "ui/qt_twips.h"
#include "ui/report_window.h"

namespace ostrevin {

class tst_frmDisplay : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void layout_data();
  void layout();
  void tabOrder();
  void closes_data();
  void closes();
  void buttons_data();
  void buttons();
  void options_data();
  void options();
  void readOnlyAfterShow_data();
  void readOnlyAfterShow();

 private:
  frmDisplay& Open();
  QPlainTextEdit& Text() { return *window_->findChild<QPlainTextEdit*>("txtDiagnose"); }

  RecordingPlatform platform_;
  std::unique_ptr<MemoryStore> store_;
  std::unique_ptr<clsData> data_;
  std::unique_ptr<frmDisplay> window_;
};

void tst_frmDisplay::init() {
  platform_ = RecordingPlatform();
  store_ = std::make_unique<MemoryStore>();
  data_ = std::make_unique<clsData>(platform_);
  FillSmallChart(*data_);
}

void tst_frmDisplay::cleanup() {
  const QStringList open = CloseOpenWindows();
  window_.reset();
  QVERIFY2(open.isEmpty(), qPrintable("left open: " + open.join(", ")));
}

frmDisplay& tst_frmDisplay::Open() {
  window_ = std::make_unique<frmDisplay>(*data_, *store_, platform_);
  window_->show();
  window_->activateWindow();
  [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window_.get());
  return *window_;
}

// The window lays its controls out as it is resized, and goes no smaller than its minimum.
void tst_frmDisplay::layout_data() {
  QTest::addColumn<QSize>("size");  // client size in twips
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("twips");  // expected left, top, width, height
  QTest::newRow("text box") << QSize(8550, 6240) << "txtDiagnose" << QRect(120, 120, 8310, 5385);
  QTest::newRow("larger") << QSize(12000, 9000) << "cmdClose" << QRect(10665, 8385, 1215, 495);
  // The window goes no smaller than its minimum, where Copy is a margin from Diagnose From Start.
  QTest::newRow("tiny copy") << QSize(300, 300) << "cmdCopy" << QRect(3975, 1140, 1575, 495);
}

void tst_frmDisplay::layout() {
  QFETCH(QSize, size);
  QFETCH(QString, name);
  QFETCH(QRect, twips);
  frmDisplay& window = Open();
  const TwipScale scale = TwipScale::Of(window);
  window.resize(scale.Pixels(size.width()), scale.Pixels(size.height()));
  auto* control = window.findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), scale.Rect({twips.x(), twips.y(), twips.width(), twips.height()}));
  window.close();
}

void tst_frmDisplay::tabOrder() {
  frmDisplay& window = Open();
  Text().setFocus();
  const QString shown = Text().toPlainText();
  QTest::keyClicks(&Text(), "typed");  // the report can be read and copied, not edited
  QCOMPARE(Text().toPlainText(), shown);
  QCOMPARE(window.windowTitle(), QString("Diagnosis Report"));
  QStringList order;  // each control with its caption
  for (int i = 0; i < 5; ++i) {
    QWidget* focus = QApplication::focusWidget();
    auto* button = qobject_cast<QPushButton*>(focus);
    order << focus->objectName() + (button != nullptr ? " " + button->text() : "");
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  QCOMPARE(order, QStringList({"txtDiagnose", "cmdOptions Diagnosis &Options ...", "cmdClose Close",
                               "cmdCopy &Copy to Clipboard",
                               "cmdDiagnoseFromStart Diagnose From &Start"}));
  window.close();
}

void tst_frmDisplay::closes_data() {
  QTest::addColumn<int>("key");  // 0: click Close
  QTest::newRow("Close button") << 0;
  QTest::newRow("Enter") << int(Qt::Key_Return);
  QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void tst_frmDisplay::closes() {
  QFETCH(int, key);
  frmDisplay& window = Open();
  Text().setFocus();
  if (key == 0) {
    Click(window, "cmdClose");
  } else {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
  }
  QVERIFY(!window.isVisible());
}

// The "copy" row also checks the report the window shows when it opens.
void tst_frmDisplay::buttons_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("report");
  QTest::addColumn<QString>("clipboard");
  const std::string before = SmallChartReport("06/12/2026 10:30:00");
  const std::string after = SmallChartReport("later");
  QTest::newRow("copy") << "cmdCopy" << Shown(before) << QString::fromStdString(before);
  QTest::newRow("from start") << "cmdDiagnoseFromStart" << Shown(after) << "";
}

void tst_frmDisplay::buttons() {
  QFETCH(QString, button);
  QFETCH(QString, report);
  QFETCH(QString, clipboard);
  frmDisplay& window = Open();
  platform_.now = "later";
  Click(window, qPrintable(button));
  QCOMPARE(Text().toPlainText(), report);
  QCOMPARE(Text().textCursor().position(), 0);
  QCOMPARE(QString::fromStdString(platform_.clipboard), clipboard);
  window.close();
}

void tst_frmDisplay::options_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<bool>("composed");
  QTest::addColumn<std::size_t>("stored");  // keys in the store afterwards
  QTest::newRow("OK") << "cmdOk" << true << std::size_t{21};
  QTest::newRow("Cancel") << "cmdCancel" << false << std::size_t{1};
  QTest::newRow("Defaults") << "cmdDefaults" << false << std::size_t{0};
}

void tst_frmDisplay::options() {
  QFETCH(QString, button);
  QFETCH(bool, composed);
  QFETCH(std::size_t, stored);
  store_->SaveSetting("Ostrevin", "Significances", "ZigZagRepeats", "9");
  frmDisplay& window = Open();
  platform_.now = "later";
  bool left_open = false;
  WhenModal<frmOptions>([&](frmOptions& d) { Click(d, qPrintable(button)); }, &left_open);
  Click(window, "cmdOptions");
  QVERIFY(!left_open);
  // OK shows the same places again, under the new choice of tests, not "nothing to report"; the
  // start of the next diagnosis ends where it would have without the dialog.
  QCOMPARE(Text().toPlainText(),
           Shown(SmallChartReport(composed ? "later" : "06/12/2026 10:30:00")));
  QCOMPARE(int(data_->NextHAxLToDiagnose()), 6);
  QCOMPARE(store_->size(), stored);
  window.close();
}

void tst_frmDisplay::readOnlyAfterShow_data() {
  QTest::addColumn<int>("next");
  QTest::addColumn<int>("nextAfter");
  QTest::addColumn<bool>("readOnly");
  QTest::newRow("diagnosis moved on") << 0 << 6 << false;
  QTest::newRow("already at the end") << 6 << 6 << true;
  QTest::newRow("past the end") << 9 << 9 << true;
}

void tst_frmDisplay::readOnlyAfterShow() {
  QFETCH(int, next);
  QFETCH(int, nextAfter);
  QFETCH(bool, readOnly);
  data_->SetNextHAxLToDiagnose(static_cast<std::int16_t>(next));
  data_->SetblnReadOnly(!readOnly);
  data_->SetReportWindow(ReportWindowFor(*store_, platform_));
  bool left_open = false;
  WhenModal<frmDisplay>([](frmDisplay& w) { Click(w, "cmdClose"); }, &left_open);
  data_->Show().ValueOrThrow();
  QVERIFY(!left_open);
  QCOMPARE(int(data_->NextHAxLToDiagnose()), nextAfter);
  QCOMPARE(data_->blnReadOnly(), readOnly);
}

}  // namespace ostrevin

QTEST_MAIN(ostrevin::tst_frmDisplay)
#include "tst_frmdisplay.moc"
