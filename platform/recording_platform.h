#ifndef OSTREVIN_PLATFORM_RECORDING_PLATFORM_H_
#define OSTREVIN_PLATFORM_RECORDING_PLATFORM_H_

#include <string>
#include <vector>

#include "platform/platform.h"

namespace ostrevin {

// A platform for tests: remembers every message box and the clipboard, and tells a fixed time.
class RecordingPlatform : public Platform {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
    std::string title;
  };

  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override {
    messages.push_back({std::string(text), icon, std::string(title)});
  }
  void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
  std::string Now() override { return now; }

  std::vector<Message> messages;
  std::string clipboard;
  std::string now = "06/12/2026 10:30:00";
};

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_RECORDING_PLATFORM_H_
