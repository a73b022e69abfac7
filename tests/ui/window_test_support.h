#ifndef OSTREVIN_TESTS_UI_WINDOW_TEST_SUPPORT_H_
#define OSTREVIN_TESTS_UI_WINDOW_TEST_SUPPORT_H_

// Helpers for the Qt tests of the windows.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace ostrevin {

// The names of the top-level windows still showing; each is closed, so that one test's window
// cannot leak into the next.
inline QStringList CloseOpenWindows() {
  QStringList open;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    open << (w->objectName().isEmpty() ? w->windowTitle() : w->objectName());
    w->close();
  }
  return open;
}

// Runs `act` on the modal dialog of type T once it is showing (from inside its exec()), then
// makes sure it closes. `act` should close it; a dialog it leaves open is rejected, and
// `*left_open` tells the test so.
template <class T>
void WhenModal(std::function<void(T&)> act, bool* left_open) {
  QTimer::singleShot(0, [act, left_open] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    act(*dialog);
    *left_open = dialog->isVisible();
    if (*left_open) dialog->reject();
  });
}

inline void Click(QWidget& parent, const char* name) {
  auto* button = parent.findChild<QAbstractButton*>(name);
  QVERIFY2(button != nullptr, name);
  QTest::mouseClick(button, Qt::LeftButton);
}

// A report as the text box shows it, with plain line breaks.
inline QString Shown(const std::string& text) {
  return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_UI_WINDOW_TEST_SUPPORT_H_
