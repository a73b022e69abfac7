// The libFuzzer entry point; OSTREVIN_FUZZ_HARNESS names the harness of harnesses.h it runs.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ostrevin::OSTREVIN_FUZZ_HARNESS(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
