#ifndef OSTREVIN_LIBRARY_MODULE_H_
#define OSTREVIN_LIBRARY_MODULE_H_

// What keeps the library in use: its live objects, class factories and server locks. The count
// belongs to the loaded library as a whole (DllCanUnloadNow answers from it), so it is the one
// piece of state the library keeps outside its objects.

#include <cstdint>

namespace ostrevin {

void AddLibraryUse();
void DropLibraryUse();
// Server locks (IOstClassFactory::LockServer) keep the library in use without an object.
void LockLibrary();
// False, changing nothing, when no lock is held.
bool UnlockLibrary();
// Whether an object, factory or lock is alive.
bool IsLibraryInUse();

// The reference count of one object of the library: starts at 1 for the creator's pointer, and
// keeps the library in use while the object lives.
class RefCount {
 public:
  RefCount() { AddLibraryUse(); }
  ~RefCount() { DropLibraryUse(); }
  RefCount(const RefCount&) = delete;
  RefCount& operator=(const RefCount&) = delete;

  std::uint32_t Add() { return ++count_; }
  std::uint32_t Drop() { return --count_; }

 private:
  std::uint32_t count_ = 1;
};

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_MODULE_H_
