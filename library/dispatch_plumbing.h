#ifndef OSTREVIN_LIBRARY_DISPATCH_PLUMBING_H_
#define OSTREVIN_LIBRARY_DISPATCH_PLUMBING_H_

// What the by-name interfaces of all the library's objects share: reading Invoke's arguments,
// handing out its result, and looking names up.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "abi/abi_values.h"
#include "library/guard.h"

namespace ostrevin {

// Invoke's arguments, checked (abi_values.h): the error for broken ones or a negative count.
// Throws NullPointer for missing arguments.
Result<std::vector<Variant>> ReadArgs(const OstVariant* args, std::int32_t count);

// Invoke's common part: reads the arguments, runs `member` on them (it returns a Result of the
// value) and hands out its result or its error.
template <class Member>
OstStatus InvokeGuarded(LastError& last, const OstVariant* args, std::int32_t count,
                        OstVariant* result, OstErrorInfo* error, Member&& member) {
  return Guarded(&last, error, [&] {
    if (result != nullptr) *result = OstVariant{kOstVtEmpty, {}};
    // The arguments are the call's own: a whole array among them may be moved into place.
    Result<std::vector<Variant>> values = ReadArgs(args, count);
    if (!values) return Failed(values.error(), &last, error);
    const Result<Variant> out = member(std::span<Variant>(values.value()));
    if (!out) return Failed(out.error(), &last, error);
    if (result != nullptr) *result = NewOstVariant(*out);
    return kOstOk;
  });
}

// GetIDsOfNames: the dispatch id that `lookup` gives for `name`, else kOstUnknownName and
// error 438 naming it.
OstStatus LookUpName(LastError& last, const char* name, std::int32_t* dispid, OstErrorInfo* error,
                     std::optional<std::int32_t> (*lookup)(std::string_view));

// QueryInterface's common part: `object` receives `found` AddRef'd, or null and kOstNoInterface.
OstStatus HandOut(IOstUnknown* found, void** object);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_DISPATCH_PLUMBING_H_
