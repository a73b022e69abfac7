#include <iostream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "host/command.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // A command reads a whole chart into arrays of a few hundred kilobytes each, hands them across
  // the library boundary and frees them again. Kept in the heap instead of being mapped and
  // unmapped one by one, a freed block is used again without the kernel zeroing fresh pages.
  // The process is short-lived, so what it frees need not go back to the system early.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ostrevin::RunCommand(args, std::cout, std::cerr, std::cin);
}
