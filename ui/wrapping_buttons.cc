#include "ui/wrapping_buttons.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace ostrevin {
namespace {

int CaptionFlags(const QWidget& widget, const QStyleOption& option, int alignment) {
  int flags = alignment | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (!widget.style()->styleHint(QStyle::SH_UnderlineShortcut, &option, &widget)) {
    flags |= Qt::TextHideMnemonic;
  }
  return flags;
}

void DrawFocus(QStylePainter& painter, const QWidget& widget, const QRect& around) {
  QStyleOptionFocusRect focus;
  focus.initFrom(&widget);
  focus.rect = around;
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

}  // namespace

WrappingCheckBox::WrappingCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {}

void WrappingCheckBox::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  QStyleOptionButton box = option;
  box.text.clear();
  box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  box.rect.moveTop((height() - box.rect.height()) / 2);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

  const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  const QRect text_area = rect().adjusted(box.rect.right() + 1 + spacing, 0, 0, 0);
  const int flags = CaptionFlags(*this, option, Qt::AlignLeft | Qt::AlignVCenter);
  painter.drawItemText(text_area, flags, palette(), isEnabled(), text(), QPalette::WindowText);
  if (hasFocus()) {
    DrawFocus(painter, *this, painter.boundingRect(text_area, flags, text()).adjusted(-1, 0, 1, 0));
  }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

WrappingPushButton::WrappingPushButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void WrappingPushButton::paintEvent(QPaintEvent* event) {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect label = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  QString plain = text();
  plain.remove('&');
  if (fontMetrics().horizontalAdvance(plain) <= label.width()) {
    QPushButton::paintEvent(event);
    return;
  }
  // Too long for one line: the button's own margins leave too little room, so the caption gets
  // all but a few pixels of the button.
  QStylePainter painter(this);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  const QRect text_area = rect().adjusted(4, 2, -4, -2);
  const int flags = CaptionFlags(*this, option, Qt::AlignCenter);
  painter.drawItemText(text_area, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
  if (hasFocus()) {
    DrawFocus(painter, *this,
              style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this));
  }
}

}  // namespace ostrevin
