#ifndef OSTREVIN_LIBRARY_TYPE_LIBRARY_H_
#define OSTREVIN_LIBRARY_TYPE_LIBRARY_H_

// The library's type information, generated from the member tables: the dual interfaces
// _clsInfo and _clsData with every member, the classes clsInfo and clsData, the enumeration
// LinkTypeConstants, and the library's identity.

#include "abi/ostrevin_abi.h"

namespace ostrevin {

// The type information of one of the library's types as a new object (reference count 1), or
// null when `guid` names none of them.
IOstTypeInfo* NewTypeInfo(const OstGuid& guid);

// The type library as a new object (reference count 1).
IOstTypeLib* NewTypeLib();

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_TYPE_LIBRARY_H_
