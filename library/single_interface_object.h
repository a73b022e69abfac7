#ifndef OSTREVIN_LIBRARY_SINGLE_INTERFACE_OBJECT_H_
#define OSTREVIN_LIBRARY_SINGLE_INTERFACE_OBJECT_H_

#include <cstdint>

#include "abi/ostrevin_abi.h"
#include "library/dispatch_plumbing.h"
#include "library/module.h"

namespace ostrevin {

// The IOstUnknown part of a library object that offers exactly one interface: QueryInterface
// answers for IOstUnknown and `Interface`, and the object deletes itself at its last Release.
template <class Interface>
class SingleInterfaceObject : public Interface {
 public:
  OstStatus QueryInterface(const OstGuid& iid, void** object) override {
    const bool known = iid == IOstUnknown::kIid || iid == Interface::kIid;
    return HandOut(known ? static_cast<Interface*>(this) : nullptr, object);
  }
  std::uint32_t AddRef() override { return refs_.Add(); }
  std::uint32_t Release() override {
    const std::uint32_t left = refs_.Drop();
    if (left == 0) delete this;
    return left;
  }

 protected:
  SingleInterfaceObject() = default;
  virtual ~SingleInterfaceObject() = default;

 private:
  RefCount refs_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_SINGLE_INTERFACE_OBJECT_H_
