#ifndef OSTREVIN_UI_WRAPPING_BUTTONS_H_
#define OSTREVIN_UI_WRAPPING_BUTTONS_H_

// Buttons for windows whose controls have fixed, designed sizes: a caption too long for one line
// wraps onto the next instead of being cut off. Access keys work as usual.

#include <QCheckBox>
#include <QPushButton>

namespace ostrevin {

// A check box with its caption wrapped over the height it has and the box centred beside it;
// a click anywhere on it toggles it.
class WrappingCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit WrappingCheckBox(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

// A push button whose caption wraps when it is wider than the button.
class WrappingPushButton : public QPushButton {
  Q_OBJECT

 public:
  explicit WrappingPushButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_WRAPPING_BUTTONS_H_
