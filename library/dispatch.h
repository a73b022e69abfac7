#ifndef OSTREVIN_LIBRARY_DISPATCH_H_
#define OSTREVIN_LIBRARY_DISPATCH_H_

// The by-name side of the dual interfaces: one get, put or call of a member by dispatch id.

#include <cstdint>
#include <span>

#include "addon/cls_data.h"
#include "values/variant.h"

namespace ostrevin {

// Gets, puts or calls the member `dispid` of the container (dispatch_ids.h). `args` are the
// indexes or arguments, then for a put the new value. Returns a get's value, Empty otherwise;
// a get of an indexed property without indexes gives its whole current array.
// Throws Error: 438 for an unknown member or an access the member does not offer, 450 for a
// wrong number of arguments, and the container's own errors (9, 13, 6).
Result<Variant> InvokeData(clsData& data, std::int32_t dispid, std::uint16_t flags,
                           std::span<Variant> args);

// The same for the descriptor's read-only constants.
Result<Variant> InvokeInfo(std::int32_t dispid, std::uint16_t flags, std::span<const Variant> args);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_DISPATCH_H_
