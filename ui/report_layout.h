#ifndef OSTREVIN_UI_REPORT_LAYOUT_H_
#define OSTREVIN_UI_REPORT_LAYOUT_H_

#include <cstdint>
#include <optional>

#include "ui/twips.h"

namespace ostrevin {

// The places of the report window's controls, in twips within its client area.
struct ReportLayout {
  TwipRect txtDiagnose;
  TwipRect cmdOptions;
  TwipRect cmdClose;
  TwipRect cmdCopy;
  TwipRect cmdDiagnoseFromStart;

  bool operator==(const ReportLayout&) const = default;
};

// The designed client size of the report window.
inline constexpr std::int32_t kReportDesignWidth = 8550;
inline constexpr std::int32_t kReportDesignHeight = 6240;
// The text box never gets narrower or lower than this; the buttons then follow it.
inline constexpr std::int32_t kReportMinimumTextSize = 900;

// The controls as designed.
ReportLayout DesignReportLayout();

// The smallest client area the window takes, in twips: every button whole, Copy a margin apart
// from Diagnose From Start, and the text box at its minimum size.
struct TwipSize {
  std::int32_t width = 0, height = 0;
};
TwipSize ReportMinimumSize();

// The controls for a client area of `width` x `height` twips: the text box fills the window but
// for a margin and the row of buttons below it, Close and Copy keep to its right edge. A minimised
// window is not laid out (nullopt): its controls keep their places.
std::optional<ReportLayout> LayoutReportWindow(std::int32_t width, std::int32_t height,
                                               bool minimised);

}  // namespace ostrevin

#endif  // OSTREVIN_UI_REPORT_LAYOUT_H_
