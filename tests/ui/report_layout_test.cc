#include "ui/report_layout.h"

#include <gtest/gtest.h>

#include "ui/twips.h"

namespace ostrevin {
namespace {

TEST(ReportLayoutTest, FollowsTheWindowSize) {
  const struct {
    std::int32_t width, height;
    TwipRect text;
    std::int32_t close_left, copy_left, buttons_top;
  } cases[] = {
      {8550, 6240, {120, 120, 8310, 5385}, 7215, 5520, 5625},
      {12000, 9000, {120, 120, 11760, 8145}, 10665, 8970, 8385},
      {1140, 1755, {120, 120, 900, 900}, -195, -1890, 1140},  // exactly the minimums
      {1141, 1756, {120, 120, 901, 901}, -194, -1889, 1141},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const std::optional<ReportLayout> l = LayoutReportWindow(c.width, c.height, false);
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(l->txtDiagnose, c.text);
    EXPECT_EQ(l->cmdOptions, (TwipRect{120, c.buttons_top, 2295, 495}));
    EXPECT_EQ(l->cmdDiagnoseFromStart, (TwipRect{2520, c.buttons_top, 1335, 495}));
    EXPECT_EQ(l->cmdClose, (TwipRect{c.close_left, c.buttons_top, 1215, 495}));
    EXPECT_EQ(l->cmdCopy, (TwipRect{c.copy_left, c.buttons_top, 1575, 495}));
  }
}

// At the smallest size the window takes, every button is whole and apart from the others.
TEST(ReportLayoutTest, MinimumSizeKeepsTheButtonsApart) {
  const TwipSize min = ReportMinimumSize();
  EXPECT_EQ(min.width, 7005);
  EXPECT_EQ(min.height, 1755);
  const ReportLayout l = *LayoutReportWindow(min.width, min.height, false);
  EXPECT_EQ(l.cmdCopy.left, l.cmdDiagnoseFromStart.right() + 120);
  EXPECT_EQ(l.cmdClose.right(), min.width - 120);
  EXPECT_EQ(l.cmdClose.bottom(), min.height - 120);
}

TEST(TwipsTest, ConvertAtTheScreensLogicalDpi) {
  const struct {
    std::int32_t twips;
    double dpi;
    int pixels;
  } cases[] = {
      {15, 96, 1},      {8550, 96, 570},  {6240, 96, 416},
      {1440, 144, 144}, {8550, 120, 713},  // 712.5 rounds away from zero
      {7, 96, 0},       {8, 96, 1},       {-120, 96, -8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
  EXPECT_EQ(PixelsToTwips(570, 96), 8550);
  EXPECT_EQ(PixelsToTwips(713, 120), 8556);
}

}  // namespace
}  // namespace ostrevin
