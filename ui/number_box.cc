#include "ui/number_box.h"

#include <QLineEdit>
#include <QToolButton>

#include "ui/options_model.h"

namespace ostrevin {

UpDown::UpDown(QLineEdit& buddy, QWidget* parent)
    : QWidget(parent), buddy_(&buddy), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::resizeEvent(QResizeEvent* /*event*/) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::Step(int step) {
  const std::string text = buddy_->text().toStdString();
  const std::string stepped = OptionsModel::StepNumberText(text, step);
  if (stepped != text) buddy_->setText(QString::fromStdString(stepped));
}

}  // namespace ostrevin
