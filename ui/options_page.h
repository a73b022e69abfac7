#ifndef OSTREVIN_UI_OPTIONS_PAGE_H_
#define OSTREVIN_UI_OPTIONS_PAGE_H_

#include <vector>

#include <QWidget>

#include "ui/options_controls.h"
#include "ui/pattern_picture.h"
#include "ui/qt_twips.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace ostrevin {

class OptionsModel;
class WrappingCheckBox;

// What the pages of the options dialog share: controls placed in twips relative to the page,
// check boxes and number boxes bound to the model, and separator lines across the page.
class OptionsPageWidget : public QWidget {
  Q_OBJECT

 protected:
  OptionsPageWidget(OptionsModel& model, QWidget* parent);

  // A check box showing and setting `box` of the model.
  WrappingCheckBox* AddCheck(OptionCheck box, const QString& caption, const TwipRect& r);
  // A number box with its up/down arrows at its right edge, bound to `box` of the model.
  QLineEdit* AddNumber(OptionNumber box, const TwipRect& r);
  // A label. One that does not wrap grows to the right when its caption needs the room.
  QLabel* AddLabel(const char* name, const QString& caption, const TwipRect& r,
                   bool word_wrap = false);
  PatternPicture* AddPicture(const char* name, Pattern pattern, const TwipRect& r);
  // The picture of the signal of test `test`.
  PatternPicture* AddTestPicture(TestId test, const TwipRect& r);
  // A separator line at `top` that runs across the page, 240 twips from either side.
  void AddSeparator(int index, std::int32_t top);
  QFrame* AddVerticalLine(const char* name, std::int32_t x, std::int32_t top, std::int32_t bottom);

  void resizeEvent(QResizeEvent* event) override;

  OptionsModel& model_;
  TwipScale scale_;

 private:
  struct Separator {
    QFrame* line;
    std::int32_t top;
  };
  std::vector<Separator> separators_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_OPTIONS_PAGE_H_
