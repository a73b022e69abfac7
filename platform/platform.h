#ifndef OSTREVIN_PLATFORM_PLATFORM_H_
#define OSTREVIN_PLATFORM_PLATFORM_H_

#include <string>
#include <string_view>

namespace ostrevin {

enum class MessageIcon { kNone, kInformation, kExclamation };

// What the add-on needs of the machine it runs on. The engine and the container receive one and
// never reach the toolkit, the clipboard or the clock any other way.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows a message box with an OK button and returns when it is closed. An empty title means
  // the platform's default title.
  virtual void MessageBox(std::string_view text, MessageIcon icon, std::string_view title = {}) = 0;
  // Clears the clipboard, then puts plain text on it.
  virtual void SetClipboardText(std::string_view text) = 0;
  // The current local date and time as text in the system's general date format.
  virtual std::string Now() = 0;
};

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_PLATFORM_H_
