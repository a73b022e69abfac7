#include "ui/report_layout.h"

#include <gtest/gtest.h>

#include "ui/twips.h"

namespace ostrevin {
namespace {

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
