#ifndef OSTREVIN_CHARTFILE_SAME_BYTES_H_
#define OSTREVIN_CHARTFILE_SAME_BYTES_H_

// Short byte strings compared without a call: the reader and the writer compare rows of a
// chart's per-place lines ("[7, 0]", or two floats) hundreds of thousands of times.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ostrevin {

// Two overlapping words of W bytes at the ends of n bytes (W <= n <= 2W), against those of `b`.
template <class Word>
bool SameEnds(const void* a, const void* b, std::size_t n) {
  const auto* x = static_cast<const char*>(a);
  const auto* y = static_cast<const char*>(b);
  Word u[2], v[2];
  std::memcpy(&u[0], x, sizeof(Word));
  std::memcpy(&u[1], x + n - sizeof(Word), sizeof(Word));
  std::memcpy(&v[0], y, sizeof(Word));
  std::memcpy(&v[1], y + n - sizeof(Word), sizeof(Word));
  return ((u[0] ^ v[0]) | (u[1] ^ v[1])) == 0;
}

// Whether the n bytes at `a` are those at `b`.
inline bool SameBytes(const void* a, const void* b, std::size_t n) {
  if (n >= 8 && n <= 16) return SameEnds<std::uint64_t>(a, b, n);
  if (n >= 4 && n < 8) return SameEnds<std::uint32_t>(a, b, n);
  if (n >= 2 && n < 4) return SameEnds<std::uint16_t>(a, b, n);
  return std::memcmp(a, b, n) == 0;
}

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_SAME_BYTES_H_
