#include <iostream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#endif

#include "host/command.h"
#include "platform/huge_pages.h"

namespace {

#ifdef __GLIBC__
// A command reads a whole chart into arrays of a few hundred kilobytes each, hands them across
// the library boundary and frees them again. Kept in the heap instead of being mapped and
// unmapped one by one, a freed block is used again without the kernel zeroing fresh pages.
// The process is short-lived, so what it frees need not go back to the system early.
//
// The heap is grown once by more than a large chart needs, and the kernel is asked to back it
// with huge pages: filling ten megabytes then takes a few page faults instead of thousands.
// Pages never touched cost nothing.
void PrepareTheHeap() {
  constexpr std::size_t kGrowth = std::size_t{64} << 20;
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  mallopt(M_TOP_PAD, kGrowth);
  char* const before = static_cast<char*>(sbrk(0));
  void* volatile grown = std::malloc(ostrevin::kHugePage);  // grows the heap by kGrowth and more
  std::free(grown);
  ostrevin::AdviseHugePages(before, static_cast<std::size_t>(static_cast<char*>(sbrk(0)) - before));
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  PrepareTheHeap();
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ostrevin::RunCommand(args, std::cout, std::cerr, std::cin);
}
