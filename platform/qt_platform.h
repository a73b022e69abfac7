#ifndef OSTREVIN_PLATFORM_QT_PLATFORM_H_
#define OSTREVIN_PLATFORM_QT_PLATFORM_H_

#include <memory>
#include <string>

#include "platform/platform.h"

class QApplication;
class QDateTime;
class QLocale;
class QString;

namespace ostrevin {

// Makes sure the process has a QApplication while the scope lives: creates one when there is
// none, and leaves an existing one (the host's) alone. REQUIRES: the user-interface thread.
class QtApplicationScope {
 public:
  QtApplicationScope();
  ~QtApplicationScope();
  QtApplicationScope(const QtApplicationScope&) = delete;
  QtApplicationScope& operator=(const QtApplicationScope&) = delete;

 private:
  std::unique_ptr<QApplication> owned_;
};

// The platform of a desktop session: Qt message boxes, the system clipboard and the local clock.
class QtPlatform : public Platform {
 public:
  // A modal QMessageBox with the icon and an OK button, over the active window. An empty title
  // gives the application's name.
  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
  // Clears the clipboard, then sets plain text.
  void SetClipboardText(std::string_view text) override;
  // The local date and time: the short date and the time with seconds, as the locale writes them.
  std::string Now() override;

 private:
  QtApplicationScope application_;
};

// `when` in the locale's general form: its short date, then its short time with the seconds added
// ("12/6/26 10:30:05 AM" in en_US, "06.12.26 10:30:05" in de_DE).
QString GeneralDateTime(const QLocale& locale, const QDateTime& when);

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_QT_PLATFORM_H_
