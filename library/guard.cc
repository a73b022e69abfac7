#include "library/guard.h"

#include "abi/abi_values.h"

namespace ostrevin {

OstStatus LastError::CopyTo(OstErrorInfo* out) const {
  *Required(out) = OstErrorInfo{0, {nullptr, 0}};
  if (!error_) return kOstFalse;
  *out = NewOstErrorInfo(*error_);
  return kOstOk;
}

OstStatus Failed(const Error& error, LastError* last, OstErrorInfo* out) noexcept {
  try {
    if (last != nullptr) last->Set(error);
    if (out != nullptr) *out = NewOstErrorInfo(error);
    return kOstException;
  } catch (...) {
    return kOstOutOfMemory;
  }
}

OstStatus Failed(const char* message, LastError* last, OstErrorInfo* out) noexcept {
  try {
    return Failed(Error(Error::kInvalidInput, message), last, out);
  } catch (...) {
    return kOstOutOfMemory;
  }
}

}  // namespace ostrevin
