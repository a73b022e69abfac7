#ifndef OSTREVIN_PLATFORM_CONSOLE_PLATFORM_H_
#define OSTREVIN_PLATFORM_CONSOLE_PLATFORM_H_

#include <iosfwd>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace ostrevin {

// The platform of the command line: message boxes are written to an error stream and never
// block, the clipboard is kept in memory, and the clock can be fixed for reproducible reports.
class ConsolePlatform : public Platform {
 public:
  // `err` receives the message boxes and must outlive the platform.
  explicit ConsolePlatform(std::ostream& err, std::optional<std::string> fixed_now = {});

  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
  void SetClipboardText(std::string_view text) override { clipboard_ = std::string(text); }
  // The fixed date and time if one was given, else the local time as "2026-12-06 21:57:06".
  std::string Now() override;

  const std::string& clipboard() const { return clipboard_; }

 private:
  std::ostream* err_;
  std::optional<std::string> fixed_now_;
  std::string clipboard_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_CONSOLE_PLATFORM_H_
