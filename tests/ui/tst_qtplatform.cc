// QtPlatform on the offscreen platform: the clipboard and the general date format.

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLocale>
#include <QTest>

#include "platform/qt_platform.h"

namespace ostrevin {

class tst_QtPlatform : public QObject {
  Q_OBJECT

 private slots:
  void clipboardGetsExactlyTheText();
  void generalDateTime_data();
  void generalDateTime();
};

void tst_QtPlatform::clipboardGetsExactlyTheText() {
  QtPlatform platform;
  QGuiApplication::clipboard()->setText("old");
  const std::string text =
      "Diagnostics report\r\nD\xc3\xa9"
      "but (Place number 1)\r\n";
  platform.SetClipboardText(text);
  QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), text);
}

void tst_QtPlatform::generalDateTime_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("expected");
  QTest::newRow("en_US") << "en_US"
                         << "12/6/26 9:05:07 PM";
  QTest::newRow("en_GB") << "en_GB"
                         << "06/12/2026 21:05:07";
  QTest::newRow("de_DE") << "de_DE"
                         << "06.12.26 21:05:07";
}

void tst_QtPlatform::generalDateTime() {
  QFETCH(QString, locale);
  QFETCH(QString, expected);
  const QDateTime when(QDate(2026, 12, 6), QTime(21, 5, 7));
  // Newer locale data puts a narrow no-break space before AM and PM.
  QString text = GeneralDateTime(QLocale(locale), when);
  QCOMPARE(text.replace(QChar(0x202f), ' '), expected);
}

}  // namespace ostrevin

QTEST_MAIN(ostrevin::tst_QtPlatform)
#include "tst_qtplatform.moc"
