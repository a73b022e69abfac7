#ifndef OSTREVIN_UI_NUMBER_BOX_H_
#define OSTREVIN_UI_NUMBER_BOX_H_

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ostrevin {

// The up/down arrows at the right edge of a number box: each click moves the whole number in the
// box by one (OptionsModel::StepNumberText), no higher than 100. The box itself takes any text.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(QLineEdit& buddy, QWidget* parent);

  QToolButton* up() const { return up_; }
  QToolButton* down() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Step(int step);

  QLineEdit* buddy_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_NUMBER_BOX_H_
