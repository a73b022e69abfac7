#include <cstdio>
#include <cstdlib>

#include "fuzz/harnesses.h"

namespace ostrevin {

void FuzzCheck(bool condition, std::string_view what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

}  // namespace ostrevin
