#ifndef OSTREVIN_LIBRARY_CLASS_FACTORY_H_
#define OSTREVIN_LIBRARY_CLASS_FACTORY_H_

#include "abi/ostrevin_abi.h"

namespace ostrevin {

// A new class factory (reference count 1) for clsInfo or clsData, or null for any other class.
IOstClassFactory* NewClassFactory(const OstGuid& clsid);

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_CLASS_FACTORY_H_
