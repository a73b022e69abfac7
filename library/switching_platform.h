#ifndef OSTREVIN_LIBRARY_SWITCHING_PLATFORM_H_
#define OSTREVIN_LIBRARY_SWITCHING_PLATFORM_H_

#include "platform/platform.h"

namespace ostrevin {

// A platform that hands every call to another one, which can be changed: the container keeps
// one platform for its life, while its host may switch from windows to the console.
class SwitchingPlatform : public Platform {
 public:
  // `target` must outlive its use.
  explicit SwitchingPlatform(Platform& target) : target_(&target) {}
  void Use(Platform& target) { target_ = &target; }

  void MessageBox(std::string_view text, MessageIcon icon, std::string_view title) override {
    target_->MessageBox(text, icon, title);
  }
  void SetClipboardText(std::string_view text) override { target_->SetClipboardText(text); }
  std::string Now() override { return target_->Now(); }

 private:
  Platform* target_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_SWITCHING_PLATFORM_H_
