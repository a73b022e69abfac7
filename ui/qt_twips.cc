#include "ui/qt_twips.h"

#include <QStringList>
#include <QWidget>

namespace ostrevin {

TwipScale TwipScale::Of(const QWidget& widget) {
  return TwipScale(widget.logicalDpiX());
}

QRect TwipScale::Rect(const TwipRect& r) const {
  // Edges rather than sizes are rounded, so that controls designed edge to edge stay so.
  const int left = Pixels(r.left);
  const int top = Pixels(r.top);
  return QRect(left, top, Pixels(r.right()) - left, Pixels(r.bottom()) - top);
}

void TwipScale::Place(QWidget& widget, const TwipRect& r) const {
  widget.setGeometry(Rect(r));
}

void WidenToText(QWidget& widget) {
  const int needed = widget.sizeHint().width();
  if (needed > widget.width()) widget.resize(needed, widget.height());
}

QFont DesignFont() {
  QFont font;
  font.setFamilies({"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans"});
  font.setPointSize(8);
  return font;
}

}  // namespace ostrevin
