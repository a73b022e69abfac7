// The options dialog frmOptions on the offscreen platform.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "platform/recording_platform.h"
#include "settings/memory_store.h"
#include "tests/ui/window_test_support.h"
#include "ui/frm_options.h"
#include "ui/qt_twips.h"

namespace ostrevin {

class tst_frmOptions : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void sizeAndAbout();
  void switchingPages_data();
  void switchingPages();
  void invalidNumber();
  void closing_data();
  void closing();
  void zigzagPictures_data();
  void zigzagPictures();
  void arrows();
  void accessKeys();

 private:
  frmOptions& Open();
  template <class T>
  T& Find(const QString& name) {
    auto* found = dialog_->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", qPrintable(name));
    return *found;
  }
  QTabWidget& Tabs() { return Find<QTabWidget>("tbsLookFor"); }
  std::string Stored(const char* section, const char* key) {
    return store_->GetSetting("Ostrevin", section, key, "(none)");
  }

  RecordingPlatform platform_;
  std::unique_ptr<MemoryStore> store_;
  std::unique_ptr<frmOptions> dialog_;
};

void tst_frmOptions::init() {
  platform_ = RecordingPlatform();
  store_ = std::make_unique<MemoryStore>();
}

void tst_frmOptions::cleanup() {
  const QStringList open = CloseOpenWindows();
  dialog_.reset();
  QVERIFY2(open.isEmpty(), qPrintable("left open: " + open.join(", ")));
}

frmOptions& tst_frmOptions::Open() {
  dialog_ = std::make_unique<frmOptions>(*store_, platform_);
  dialog_->show();
  dialog_->activateWindow();
  [[maybe_unused]] bool active = QTest::qWaitForWindowActive(dialog_.get());
  return *dialog_;
}

void tst_frmOptions::sizeAndAbout() {
  frmOptions& dialog = Open();
  QCOMPARE(dialog.windowTitle(), QString("Diagnosis Options"));
  const TwipScale scale = TwipScale::Of(dialog);
  const int menu = dialog.findChild<QMenuBar*>()->height();
  QCOMPARE(dialog.height() - menu, scale.Pixels(7215));
  QCOMPARE(dialog.width(), scale.Pixels(7485));
  QAction& about = Find<QAction>("mnuAbout");
  QCOMPARE(about.text(), QString("&About"));
  about.trigger();
  QCOMPARE(platform_.messages.size(), std::size_t{1});
  QCOMPARE(platform_.messages[0].text, std::string("Quorva Diagnosis program version 2.0.7"));
  QCOMPARE(platform_.messages[0].icon, MessageIcon::kInformation);
  QVERIFY(dialog.isVisible());
  dialog.close();
}

void tst_frmOptions::switchingPages_data() {
  QTest::addColumn<QList<int>>("clicks");
  QTest::addColumn<int>("frame");
  QTest::addColumn<bool>("whatIsSD");
  QTest::newRow("patterns") << QList<int>{1} << 1 << true;
  QTest::newRow("advanced") << QList<int>{3} << 3 << true;
  QTest::newRow("there and back") << QList<int>{3, 0} << 0 << false;
}

void tst_frmOptions::switchingPages() {
  QFETCH(QList<int>, clicks);
  QFETCH(int, frame);
  QFETCH(bool, whatIsSD);
  frmOptions& dialog = Open();
  QTabBar* bar = Tabs().tabBar();
  for (int tab : clicks) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  QCOMPARE(int(dialog.model().intCurrentFrame()), frame);
  QCOMPARE(Tabs().currentIndex(), frame);
  QVERIFY(Tabs().widget(frame)->isVisible());
  QCOMPARE(Find<QLabel>("lblWhatIsSD").isVisible(), whatIsSD);
  dialog.close();
}

void tst_frmOptions::invalidNumber() {
  frmOptions& dialog = Open();
  Find<QLineEdit>("txtNumSigEitherSideCentre").clear();
  Find<QLineEdit>("txtNumSigIncDec").clear();
  Click(dialog, "cmdOk");
  QVERIFY(dialog.isVisible());
  QCOMPARE(Tabs().currentIndex(), 1);
  QCOMPARE(platform_.messages.size(), std::size_t{1});  // its text is checked on the model
  // A number the test cannot use: its page, its box selected for typing over.
  Tabs().setCurrentIndex(0);
  QTest::keyClicks(&Find<QLineEdit>("txtNumSigEitherSideCentre"), "8");
  QTest::keyClicks(&Find<QLineEdit>("txtNumSigIncDec"), "1");
  Click(dialog, "cmdOk");
  QVERIFY(dialog.isVisible());
  QCOMPARE(Tabs().currentIndex(), 1);
  QCOMPARE(QApplication::focusWidget(), &Find<QLineEdit>("txtNumSigIncDec"));
  QCOMPARE(Find<QLineEdit>("txtNumSigIncDec").selectedText(), QString("1"));
  QCOMPARE(platform_.messages.size(), std::size_t{2});
  Click(dialog, "cmdCancel");
}

// Only OK stores the edits; every other way out leaves the store untouched.
void tst_frmOptions::closing_data() {
  QTest::addColumn<int>("how");
  QTest::newRow("OK") << 0;
  QTest::newRow("Cancel button") << 1;
  QTest::newRow("Escape") << 2;
  QTest::newRow("window frame") << 3;
}

void tst_frmOptions::closing() {
  QFETCH(int, how);
  frmOptions& dialog = Open();
  QLineEdit& zigzag = Find<QLineEdit>("txtNumSigZigZag");
  zigzag.clear();
  QTest::keyClicks(&zigzag, "-7.5x");  // the box takes the digits only
  Click(dialog, "chkAboveUCL");
  Click(dialog, "chkZigZag");
  if (how == 0) Click(dialog, "cmdOk");
  if (how == 1) Click(dialog, "cmdCancel");
  if (how == 2) QTest::keyClick(&dialog, Qt::Key_Escape);
  if (how == 3) dialog.close();
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.blnCancel(), how != 0);
  if (how != 0) {
    QCOMPARE(store_->size(), std::size_t{0});
    return;
  }
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(Stored("Significances", "ZigZagRepeats"), std::string("75"));
  QCOMPARE(Stored("CheckFor", "DiagnoseForZigZag"), std::string("-1"));
  QCOMPARE(Stored("CheckFor", "DiagnoseForAllAboveUCL"), std::string("0"));
}

void tst_frmOptions::zigzagPictures_data() {
  QTest::addColumn<QStringList>("names");  // the check box, its picture when on, when off
  QTest::newRow("about centre") << QStringList{"chkZigZagAboutCentre", "imgZigZagWithMean",
                                               "imgZigZagWithoutMean"};
  QTest::newRow("from 1SD") << QStringList{"chkZigZagFrom1SD", "imgZigZagFrom1SD",
                                           "imgZigZagNotFrom1SD"};
  QTest::newRow("at least 1SD") << QStringList{"chkZigZagAtLeast1SD", "imgZigZagAtLeast1SD",
                                               "imgZigZagNotAtLeast1SD"};
}

void tst_frmOptions::zigzagPictures() {
  QFETCH(QStringList, names);
  const QString box = names[0], on = names[1], off = names[2];
  store_->SaveSetting("Ostrevin", "Significances", "ZigZagFrom1SD", "0");
  Open();
  Tabs().setCurrentIndex(1);
  auto& check = Find<QCheckBox>(box);
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(Find<QWidget>(on).isVisible(), check.isChecked());
    QCOMPARE(Find<QWidget>(off).isVisible(), !check.isChecked());
    QTest::mouseClick(&check, Qt::LeftButton);
  }
  dialog_->close();
}

void tst_frmOptions::arrows() {
  frmOptions& dialog = Open();
  Tabs().setCurrentIndex(1);
  QLineEdit& box = Find<QLineEdit>("txtNumSigIncDec");
  box.setText("98");
  QToolButton* up = Find<QWidget>("udNumSigIncDec").findChildren<QToolButton*>().value(0);
  QToolButton* down = Find<QWidget>("udNumSigIncDec").findChildren<QToolButton*>().value(1);
  QVERIFY(up != nullptr && down != nullptr);
  QStringList seen;
  for (QToolButton* arrow : {up, up, up, down}) {
    QTest::mouseClick(arrow, Qt::LeftButton);
    seen << box.text();
  }
  QCOMPARE(seen, QStringList({"99", "100", "100", "99"}));
  QCOMPARE(dialog.model().text(OptionNumber::kIncreasingOrDecreasing), std::string("99"));
  dialog.close();
}

void tst_frmOptions::accessKeys() {
  frmOptions& dialog = Open();
  QTest::keyClick(&dialog, Qt::Key_U, Qt::AltModifier);
  // An access key clicks its button the way Qt animates it, a moment later.
  QTRY_VERIFY(!Find<QCheckBox>("chkAboveUCL").isChecked());
  QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), &Find<QLineEdit>("txtNumSigEitherSideCentreMR"));
  // Alt+D belongs to both chkAboveUCLForMR and cmdDefaults: it moves the focus, clicks neither.
  QStringList focused;
  for (int i = 0; i < 2; ++i) {
    QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
    focused << QApplication::focusWidget()->objectName();
  }
  focused.sort();
  QCOMPARE(focused, QStringList({"chkAboveUCLForMR", "cmdDefaults"}));
  QTest::qWait(200);
  QVERIFY(Find<QCheckBox>("chkAboveUCLForMR").isChecked());
  QVERIFY(dialog.isVisible());
  dialog.close();
}

}  // namespace ostrevin

QTEST_MAIN(ostrevin::tst_frmOptions)
#include "tst_frmoptions.moc"
