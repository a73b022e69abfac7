#include "values/error.h"

namespace ostrevin {

std::string Error::ToString() const {
  if (number_ == kInvalidInput) return message_;
  return "error " + std::to_string(number_) + ": " + message_;
}

Error Error::WithContext(std::string_view context) const {
  return Error(number_, std::string(context) + ": " + message_);
}

void ThrowError(const Error& error) {
  throw error;
}

}  // namespace ostrevin
