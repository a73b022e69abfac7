#ifndef OSTREVIN_UI_TWIPS_H_
#define OSTREVIN_UI_TWIPS_H_

#include <cmath>
#include <cstdint>

namespace ostrevin {

// Windows are designed in twips, 1/1440 inch: 15 twips to a pixel at 96 dots per inch.
inline constexpr double kTwipsPerInch = 1440;

// A control's place in twips, relative to the client area of its window or page.
struct TwipRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::int32_t right() const { return left + width; }
  std::int32_t bottom() const { return top + height; }
  bool operator==(const TwipRect&) const = default;
};

// Nearest whole pixel of a length in twips on a screen of `dpi` logical dots per inch.
inline int TwipsToPixels(std::int32_t twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline std::int32_t PixelsToTwips(int pixels, double dpi) {
  return static_cast<std::int32_t>(std::lround(pixels * kTwipsPerInch / dpi));
}

}  // namespace ostrevin

#endif  // OSTREVIN_UI_TWIPS_H_
