#ifndef OSTREVIN_UI_PATTERN_PICTURE_H_
#define OSTREVIN_UI_PATTERN_PICTURE_H_

#include <QWidget>

#include "ui/pattern.h"

namespace ostrevin {

// A small drawing of a control chart showing one pattern: the chart's lines, the points, the
// points that make the signal in red, and crosses over what the option rules out.
class PatternPicture : public QWidget {
  Q_OBJECT

 public:
  PatternPicture(Pattern pattern, QWidget* parent = nullptr);

  Pattern pattern() const { return pattern_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Pattern pattern_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_PATTERN_PICTURE_H_
