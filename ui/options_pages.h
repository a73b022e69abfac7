#ifndef OSTREVIN_UI_OPTIONS_PAGES_H_
#define OSTREVIN_UI_OPTIONS_PAGES_H_

#include "ui/options_page.h"

class QCheckBox;

namespace ostrevin {

// Page "Commonly Used": the control limits and runs on one side of the centre line.
class CommonPage : public OptionsPageWidget {
  Q_OBJECT

 public:
  CommonPage(OptionsModel& model, QWidget* parent = nullptr);
};

// Page "Repeated Patterns": trends and zigzags with the three zigzag options, whose pictures
// follow their boxes.
class PatternsPage : public OptionsPageWidget {
  Q_OBJECT

 public:
  PatternsPage(OptionsModel& model, QWidget* parent = nullptr);

 private:
  // Puts `on` in front of `off` while `box` is checked, `off` in front while it is clear.
  void FollowBox(QCheckBox* box, QWidget* on, QWidget* off);
};

// Page "SD Levels": 2 out of 3 and 4 out of 5 points in the outer zones.
class LevelsPage : public OptionsPageWidget {
  Q_OBJECT

 public:
  LevelsPage(OptionsModel& model, QWidget* parent = nullptr);
};

// Page "Advanced SD Levels": runs within 1 SD and extreme switches.
class AdvancedLevelsPage : public OptionsPageWidget {
  Q_OBJECT

 public:
  AdvancedLevelsPage(OptionsModel& model, QWidget* parent = nullptr);
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_OPTIONS_PAGES_H_
