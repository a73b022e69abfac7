#include "ui/options_pages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/wrapping_buttons.h"

namespace ostrevin {

CommonPage::CommonPage(OptionsModel& model, QWidget* parent) : OptionsPageWidget(model, parent) {
  using enum OptionCheck;
  AddCheck(kAboveUCL, tr("Points above &UCL"), {240, 240, 1695, 195});
  AddLabel("lblSingleMeasOnly0", tr("For Single Measurements Chart Only:"), {600, 720, 2610, 195});
  AddCheck(kAboveUCLMR, tr("&Diagnose Moving Range (MR) Chart Also"), {600, 960, 4335, 195});
  AddSeparator(1, 1560);
  AddCheck(kBelowLCL, tr("Points below &LCL"), {240, 1920, 1695, 195});
  AddSeparator(2, 2760);
  AddCheck(kAboveBelowMean, tr("&Consecutive Points are all on one side of the Centre Line"),
           {240, 3000, 4935, 195});
  QLabel* label2 = AddLabel("Label2", tr("&Number of Significant Points"), {480, 3360, 1995, 195});
  label2->setBuddy(AddNumber(TestId::kAboveBelowMean, {2640, 3360, 390, 375}));
  AddCheck(kAboveBelowMeanMR, tr("D&iagnose Moving Range (MR) Chart Also"), {600, 4080, 3495, 195});
  AddLabel("lblSingleMeasOnly1", tr("(Single Measurements Chart Only)"), {840, 4320, 2385, 195});
  QLabel* label7 = AddLabel("Label7", tr("Nu&mber of Significant Points"), {840, 4560, 1995, 195});
  label7->setBuddy(AddNumber(TestId::kAboveBelowMeanMR, {3000, 4560, 390, 375}));
  AddTestPicture(TestId::kAboveUCL, {3960, 240, 1035, 675});
  AddTestPicture(TestId::kBelowLCL, {3960, 1680, 1035, 675});
  AddTestPicture(TestId::kAboveBelowMean, {3960, 3240, 2355, 735});
}

PatternsPage::PatternsPage(OptionsModel& model, QWidget* parent)
    : OptionsPageWidget(model, parent) {
  using enum OptionCheck;
  AddCheck(kIncreasingOrDecreasing,
           tr("Consecutive Points are either all &Increasing or All Decreasing"),
           {240, 240, 3495, 495});
  QLabel* label3 = AddLabel("Label3", tr("&Number of Significant Points"), {480, 1080, 1995, 195});
  label3->setBuddy(AddNumber(TestId::kIncreasingOrDecreasing, {2640, 1080, 375, 375}));
  AddTestPicture(TestId::kIncreasingOrDecreasing, {4320, 240, 2280, 1260});
  AddSeparator(4, 1680);
  AddCheck(kZigZag, tr("Consecutive Points are in a &ZigZag Form"), {240, 1800, 3615, 375});
  QCheckBox* about_centre = AddCheck(
      kZigZagAboutCentre, tr("ZigZag Must Be About the &Centre Line"), {3960, 1800, 2775, 495});
  QLabel* label4 = AddLabel(
      "Label4", tr("Number of &Times Pattern Repeats (e.g. 7 repeats is zigzagging on 14 points)"),
      {480, 2400, 1995, 585}, /*word_wrap=*/true);
  label4->setBuddy(AddNumber(TestId::kZigZag, {2640, 2520, 375, 375}));
  const TwipRect mean_place = {4080, 2400, 2325, 690};
  FollowBox(about_centre, AddPicture("imgZigZagWithMean", Pattern::kZigZagWithMean, mean_place),
            AddPicture("imgZigZagWithoutMean", Pattern::kZigZagWithoutMean, mean_place));
  QCheckBox* from_1sd = AddCheck(kZigZagFrom1SD, tr("ZigZags At Least 1SD Away &From Centre Line"),
                                 {600, 3240, 2775, 555});
  QCheckBox* at_least_1sd = AddCheck(kZigZagAtLeast1SD, tr("ZigZags At Least 1SD &Between  Points"),
                                     {3840, 3240, 2775, 555});
  const TwipRect from_place = {840, 3840, 2310, 1275};
  FollowBox(from_1sd, AddPicture("imgZigZagFrom1SD", Pattern::kZigZagFrom1SD, from_place),
            AddPicture("imgZigZagNotFrom1SD", Pattern::kZigZagNotFrom1SD, from_place));
  const TwipRect between_place = {4080, 3840, 2310, 1200};
  FollowBox(at_least_1sd,
            AddPicture("imgZigZagAtLeast1SD", Pattern::kZigZagAtLeast1SD, between_place),
            AddPicture("imgZigZagNotAtLeast1SD", Pattern::kZigZagNotAtLeast1SD, between_place));
}

void PatternsPage::FollowBox(QCheckBox* box, QWidget* on, QWidget* off) {
  const auto follow = [on, off](bool checked) {
    QWidget* front = checked ? on : off;
    front->raise();
    front->setVisible(true);
    (checked ? off : on)->setVisible(false);
  };
  follow(box->isChecked());
  connect(box, &QCheckBox::toggled, this, follow);
}

LevelsPage::LevelsPage(OptionsModel& model, QWidget* parent) : OptionsPageWidget(model, parent) {
  using enum OptionCheck;
  AddCheck(k2OutOf3Above,
           tr("2 out of 3 consecutive points are all above the centre line and between &2 and 3 "
              "SD"),
           {240, 240, 2775, 795});
  AddCheck(k2OutOf3Below,
           tr("2 out of 3 consecutive points are all below the centre line and between 2 and &3 "
              "SD"),
           {3360, 240, 2775, 795});
  AddTestPicture(TestId::k2OutOf3Above, {480, 1080, 2385, 1350});
  AddTestPicture(TestId::k2OutOf3Below, {3600, 1080, 2385, 1350});
  AddSeparator(3, 2520);
  AddCheck(k4OutOf5Above,
           tr("4 out of 5 consecutive points are all above the centre line and between &1 and 3 "
              "SD"),
           {240, 2640, 2775, 795});
  AddCheck(k4OutOf5Below,
           tr("4 out of 5 consecutive points are all below the centre line and between 1 and 3 "
              "&SD"),
           {3360, 2640, 2775, 795});
  AddTestPicture(TestId::k4OutOf5Above, {480, 3480, 2385, 1350});
  AddTestPicture(TestId::k4OutOf5Below, {3600, 3480, 2385, 1350});
  AddVerticalLine("Line1", 3120, 360, 5040);
}

AdvancedLevelsPage::AdvancedLevelsPage(OptionsModel& model, QWidget* parent)
    : OptionsPageWidget(model, parent) {
  using enum OptionCheck;
  AddCheck(kWithin1SD, tr("Consecutive Points are all &within 1SD of the centre line"),
           {240, 240, 5295, 195});
  AddTestPicture(TestId::kWithin1SD, {480, 600, 2325, 1035});
  QLabel* label5 = AddLabel("Label5", tr("&Number of Significant Points"), {480, 1680, 1995, 195});
  label5->setBuddy(AddNumber(TestId::kWithin1SD, {2640, 1680, 375, 375}));
  AddSeparator(0, 2280);
  AddCheck(kExtremeSwitch, tr("An Extreme &Switch"), {240, 2520, 4815, 195});
  AddLabel("Label6", tr("(from beyond 2SD one side of central line to beyond 2SD the other side.)"),
           {480, 2760, 5115, 195});
  AddTestPicture(TestId::kExtremeSwitch, {480, 3000, 2400, 1380});
}

}  // namespace ostrevin
