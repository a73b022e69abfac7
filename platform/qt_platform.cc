#include "platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>

namespace ostrevin {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), text.size());
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtApplicationScope::QtApplicationScope() {
  if (QCoreApplication::instance() != nullptr) return;
  // QApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "ostrevin";
  static char* argv[] = {name, nullptr};
  owned_ = std::make_unique<QApplication>(argc, argv);
}

QtApplicationScope::~QtApplicationScope() = default;

void QtPlatform::MessageBox(std::string_view text, MessageIcon icon, std::string_view title) {
  const QString caption =
      title.empty() ? QGuiApplication::applicationDisplayName() : FromUtf8(title);
  QMessageBox box(BoxIcon(icon), caption, FromUtf8(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

void QtPlatform::SetClipboardText(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(FromUtf8(text));
}

QString GeneralDateTime(const QLocale& locale, const QDateTime& when) {
  QString time = locale.timeFormat(QLocale::ShortFormat);
  if (!time.contains('s')) {
    const qsizetype minutes = time.indexOf("mm");
    if (minutes >= 0) time.insert(minutes + 2, ":ss");
  }
  return locale.toString(when, locale.dateFormat(QLocale::ShortFormat) + ' ' + time);
}

std::string QtPlatform::Now() {
  return GeneralDateTime(QLocale::system(), QDateTime::currentDateTime()).toStdString();
}

}  // namespace ostrevin
