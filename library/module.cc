#include "library/module.h"

#include <atomic>

namespace ostrevin {
namespace {

std::atomic<long>& Uses() {
  static std::atomic<long> uses{0};
  return uses;
}

std::atomic<long>& Locks() {
  static std::atomic<long> locks{0};
  return locks;
}

}  // namespace

void LockLibrary() {
  ++Locks();
}

bool UnlockLibrary() {
  long held = Locks().load();
  while (held > 0) {
    if (Locks().compare_exchange_weak(held, held - 1)) return true;
  }
  return false;
}

void AddLibraryUse() {
  ++Uses();
}

void DropLibraryUse() {
  --Uses();
}

bool IsLibraryInUse() {
  return Uses().load() != 0 || Locks().load() != 0;
}

}  // namespace ostrevin
