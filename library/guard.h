#ifndef OSTREVIN_LIBRARY_GUARD_H_
#define OSTREVIN_LIBRARY_GUARD_H_

// The one guard every call into the library runs inside, so that no exception crosses the
// boundary: whatever the library throws becomes a status code and, for errors, a description.

#include <exception>
#include <new>
#include <optional>

#include "abi/ostrevin_abi.h"
#include "values/error.h"

namespace ostrevin {

// Thrown by the library's own code when the caller passed a null pointer that a call needs.
struct NullPointer {};

// Checks a pointer the caller passed. Check it before making what goes into it: in
// `*Required(p) = NewThing()` the right side would be made first, and leak.
template <class T>
T* Required(T* pointer) {
  if (pointer == nullptr) throw NullPointer{};
  return pointer;
}

// The error of the last failed call on one object, for GetLastErrorInfo.
class LastError {
 public:
  void Set(const Error& error) { error_ = error; }
  // Copies the error into `out`; kOstFalse (and `out` empty) when no call has failed.
  OstStatus CopyTo(OstErrorInfo* out) const;

 private:
  std::optional<Error> error_;
};

// Records a failure in `last` and `out` (either may be null); returns kOstException, or
// kOstOutOfMemory when even that fails.
OstStatus Failed(const Error& error, LastError* last, OstErrorInfo* out) noexcept;
OstStatus Failed(const char* message, LastError* last, OstErrorInfo* out) noexcept;

// Runs `body`, which returns an OstStatus. An Error becomes kOstException (see Failed), a null
// pointer kOstPointer, a failed allocation kOstOutOfMemory and any other exception kOstException
// with its message, or kOstFail when it has none. `out` (may be null) is emptied first.
template <class Body>
OstStatus Guarded(LastError* last, OstErrorInfo* out, Body&& body) noexcept {
  if (out != nullptr) *out = OstErrorInfo{0, {nullptr, 0}};
  try {
    return body();
  } catch (const Error& error) {
    return Failed(error, last, out);
  } catch (const NullPointer&) {
    return kOstPointer;
  } catch (const std::bad_alloc&) {
    return kOstOutOfMemory;
  } catch (const std::exception& error) {
    return Failed(error.what(), last, out);
  } catch (...) {
    return kOstFail;
  }
}

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_GUARD_H_
