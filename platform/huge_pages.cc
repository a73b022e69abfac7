#include "platform/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace ostrevin {

void AdviseHugePages(void* data, std::size_t size) {
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
  const std::uintptr_t last = (begin + size) / kHugePage * kHugePage;
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace ostrevin
