#ifndef OSTREVIN_PLATFORM_HUGE_PAGES_H_
#define OSTREVIN_PLATFORM_HUGE_PAGES_H_

#include <cstddef>

namespace ostrevin {

// The size of a huge page: the kernel backs only whole, aligned ones.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Asks the kernel to back the whole huge pages within `size` bytes from `data` with huge pages
// when they are first touched: a large buffer filled once then takes a few page faults instead
// of one per 4 kB. Only a hint.
void AdviseHugePages(void* data, std::size_t size);

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_HUGE_PAGES_H_
