#include "platform/console_platform.h"

#include <ctime>
#include <ostream>

namespace ostrevin {

ConsolePlatform::ConsolePlatform(std::ostream& err, std::optional<std::string> fixed_now)
    : err_(&err), fixed_now_(std::move(fixed_now)) {}

void ConsolePlatform::MessageBox(std::string_view text, MessageIcon icon, std::string_view title) {
  std::string_view kind = icon == MessageIcon::kExclamation   ? "warning: "
                          : icon == MessageIcon::kInformation ? "note: "
                                                              : "";
  *err_ << "ostrevin: " << kind;
  if (!title.empty()) *err_ << title << ": ";
  *err_ << text << '\n';
}

std::string ConsolePlatform::Now() {
  if (fixed_now_) return *fixed_now_;
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

}  // namespace ostrevin
