#ifndef OSTREVIN_UI_QT_TWIPS_H_
#define OSTREVIN_UI_QT_TWIPS_H_

#include <QFont>
#include <QRect>

#include "ui/twips.h"

class QWidget;

namespace ostrevin {

// Places widgets that are designed in twips, at the logical DPI of the screen they show on.
class TwipScale {
 public:
  explicit TwipScale(double dpi) : dpi_(dpi) {}
  // The scale of the screen `widget` is on.
  static TwipScale Of(const QWidget& widget);

  int Pixels(std::int32_t twips) const { return TwipsToPixels(twips, dpi_); }
  std::int32_t Twips(int pixels) const { return PixelsToTwips(pixels, dpi_); }
  QRect Rect(const TwipRect& r) const;
  void Place(QWidget& widget, const TwipRect& r) const;
  double dpi() const { return dpi_; }

 private:
  double dpi_;
};

// Widens a widget placed in twips whose text needs more room than designed (a caption in a wider
// font than the design's); the left edge stays.
void WidenToText(QWidget& widget);

// The font both windows are designed for: a plain sans serif at 8 points, whose captions fit the
// designed control sizes.
QFont DesignFont();

}  // namespace ostrevin

#endif  // OSTREVIN_UI_QT_TWIPS_H_
