#include "ui/report_layout.h"

#include <algorithm>

namespace ostrevin {

ReportLayout DesignReportLayout() {
  return {
      .txtDiagnose = {120, 120, 8295, 5415},
      .cmdOptions = {120, 5640, 2295, 495},
      .cmdClose = {7200, 5640, 1215, 495},
      .cmdCopy = {5400, 5640, 1575, 495},
      .cmdDiagnoseFromStart = {2520, 5640, 1335, 495},
  };
}

TwipSize ReportMinimumSize() {
  const ReportLayout l = DesignReportLayout();
  constexpr std::int32_t kMargin = 120;
  const std::int32_t left_buttons = l.cmdDiagnoseFromStart.left + l.cmdDiagnoseFromStart.width;
  const std::int32_t right_buttons = kMargin + l.cmdCopy.width + kMargin + l.cmdClose.width;
  return {std::max(left_buttons + right_buttons + kMargin, kReportMinimumTextSize + 2 * kMargin),
          3 * kMargin + kReportMinimumTextSize + l.cmdOptions.height};
}

std::optional<ReportLayout> LayoutReportWindow(std::int32_t width, std::int32_t height,
                                               bool minimised) {
  if (minimised) return std::nullopt;
  ReportLayout l = DesignReportLayout();
  TwipRect& text = l.txtDiagnose;
  text.width = std::max(width - 240, kReportMinimumTextSize);
  l.cmdClose.left = text.left + text.width - l.cmdClose.width;
  l.cmdCopy.left = l.cmdClose.left - l.cmdCopy.width - 120;
  text.height = std::max(height - 240 - 120 - l.cmdOptions.height, kReportMinimumTextSize);
  const std::int32_t buttons_top = text.top + text.height + 120;
  for (TwipRect* button : {&l.cmdOptions, &l.cmdClose, &l.cmdCopy, &l.cmdDiagnoseFromStart}) {
    button->top = buttons_top;
  }
  return l;
}

}  // namespace ostrevin
