#include "ui/options_page.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "ui/number_box.h"
#include "ui/options_model.h"
#include "ui/wrapping_buttons.h"

namespace ostrevin {
namespace {

constexpr std::int32_t kUpDownWidth = 255;
constexpr std::int32_t kSeparatorMargin = 240;

QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), name.size());
}

}  // namespace

OptionsPageWidget::OptionsPageWidget(OptionsModel& model, QWidget* parent)
    : QWidget(parent), model_(model), scale_(TwipScale::Of(*this)) {}

WrappingCheckBox* OptionsPageWidget::AddCheck(OptionCheck box, const QString& caption,
                                              const TwipRect& r) {
  auto* check = new WrappingCheckBox(caption, this);
  check->setObjectName(Name(Control(box).name));
  check->setChecked(model_.checked(box));
  scale_.Place(*check, r);
  connect(check, &QCheckBox::toggled, this,
          [this, box](bool checked) { model_.SetChecked(box, checked); });
  return check;
}

QLineEdit* OptionsPageWidget::AddNumber(OptionNumber box, const TwipRect& r) {
  auto* edit = new QLineEdit(QString::fromStdString(model_.text(box)), this);
  edit->setObjectName(Name(Control(box).name));
  // Digits only: a number of points is a whole number of 1 or more (a stored text shows as it is).
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
  scale_.Place(*edit, r);
  auto* arrows = new UpDown(*edit, this);
  arrows->setObjectName("ud" + edit->objectName().mid(3));
  scale_.Place(*arrows, {r.right(), r.top, kUpDownWidth, r.height});
  connect(edit, &QLineEdit::textChanged, this,
          [this, box](const QString& text) { model_.SetText(box, text.toStdString()); });
  return edit;
}

QLabel* OptionsPageWidget::AddLabel(const char* name, const QString& caption, const TwipRect& r,
                                    bool word_wrap) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(word_wrap);
  scale_.Place(*label, r);
  if (!word_wrap) WidenToText(*label);
  return label;
}

PatternPicture* OptionsPageWidget::AddPicture(const char* name, Pattern pattern,
                                              const TwipRect& r) {
  auto* picture = new PatternPicture(pattern, this);
  picture->setObjectName(name);
  scale_.Place(*picture, r);
  return picture;
}

PatternPicture* OptionsPageWidget::AddTestPicture(TestId test, const TwipRect& r) {
  const OptionPictureControl& c = Picture(test);
  auto* picture = new PatternPicture(c.pattern, this);
  picture->setObjectName(Name(c.name));
  scale_.Place(*picture, r);
  return picture;
}

void OptionsPageWidget::AddSeparator(int index, std::int32_t top) {
  auto* line = new QFrame(this);
  line->setObjectName(QString("linSep%1").arg(index));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  separators_.push_back({line, top});
}

QFrame* OptionsPageWidget::AddVerticalLine(const char* name, std::int32_t x, std::int32_t top,
                                           std::int32_t bottom) {
  auto* line = new QFrame(this);
  line->setObjectName(name);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  const int px = scale_.Pixels(x);
  line->setGeometry(px - 1, scale_.Pixels(top), 3, scale_.Pixels(bottom) - scale_.Pixels(top));
  return line;
}

void OptionsPageWidget::resizeEvent(QResizeEvent* /*event*/) {
  const int left = scale_.Pixels(kSeparatorMargin);
  const int right = width() - scale_.Pixels(kSeparatorMargin);
  for (const Separator& s : separators_) {
    s.line->setGeometry(left, scale_.Pixels(s.top) - 1, std::max(right - left, 0), 3);
  }
}

}  // namespace ostrevin
