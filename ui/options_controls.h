#ifndef OSTREVIN_UI_OPTIONS_CONTROLS_H_
#define OSTREVIN_UI_OPTIONS_CONTROLS_H_

// The options dialog's pages and the controls that hold settings, declared once: the model loads,
// validates and saves through these tables and the widgets find their controls by the names.

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/twips.h"

namespace ostrevin {

// A tab of the dialog; tab n (from 0) shows page n.
struct OptionsPage {
  std::string_view caption;
  std::string_view key;
  std::string_view tool_tip;
};

inline constexpr std::array<OptionsPage, 4> kOptionsPages = {{
    {"Commonly Used", "Common", "Commonly Used Irregularities"},
    {"Repeated Patterns", "Patterns", "Look for Repeating Patterns"},
    {"SD Levels", "Levels", "Look for irregularities between Process SD Levels"},
    {"Advanced SD Levels", "AdvancedLevels",
     "Look for more irregularities between Process SD Levels"},
}};

// The check boxes: the thirteen test switches of section "CheckFor" in the order the tests run,
// then the three zigzag options of section "Significances".
enum class OptionCheck : std::uint8_t {
  kAboveUCL,
  kAboveUCLForMR,
  kBelowLCL,
  kEitherSideMean,
  kEitherSideMeanForMR,
  kBetween23SDAbove,
  kBetween23SDBelow,
  kBetween13SDAbove,
  kBetween13SDBelow,
  kWithin1SD,
  kAllIncreasingOrDecreasing,
  kExtremeSwitch,
  kZigZag,
  kZigZagAboutCentre,
  kZigZagFrom1SD,
  kZigZagAtLeast1SD,
};
inline constexpr int kOptionCheckCount = 16;
inline constexpr int kTestSwitchCount = 13;  // the first thirteen are test switches

struct OptionCheckControl {
  std::string_view name;
  std::string_view key;
};

inline constexpr std::array<OptionCheckControl, kOptionCheckCount> kOptionChecks = {{
    {"chkAboveUCL", "DiagnoseForAllAboveUCL"},
    {"chkAboveUCLForMR", "DiagnoseForAllAboveUCLMR"},
    {"chkBelowLCL", "DiagnoseForAllBelowLCL"},
    {"chkEitherSideMean", "DiagnoseForAllAboveBelowMean"},
    {"chkEitherSideMeanForMR", "DiagnoseForAllAboveBelowMeanMR"},
    {"chkBetween23SDAbove", "DiagnoseFor2OutOf3Between23SigmaAboveMean"},
    {"chkBetween23SDBelow", "DiagnoseFor2OutOf3Between23SigmaBelowMean"},
    {"chkBetween13SDAbove", "DiagnoseFor4OutOf5Between13SigmaAboveMean"},
    {"chkBetween13SDBelow", "DiagnoseFor4OutOf5Between13SigmaBelowMean"},
    {"chkWithin1SD", "DiagnoseForAllWithin1SDMean"},
    {"chkAllIncreasingOrDecreasing", "DiagnoseForAllIncreasingOrDecreasing"},
    {"chkExtremeSwitch", "DiagnoseForExtremeSwitch"},
    {"chkZigZag", "DiagnoseForZigZag"},
    {"chkZigZagAboutCentre", "ZigZagAboutCentralLine"},
    {"chkZigZagFrom1SD", "ZigZagFrom1SD"},
    {"chkZigZagAtLeast1SD", "ZigZagAtLeastSDDistanceSignificant"},
}};

// The number boxes, in the order OK checks them.
enum class OptionNumber : std::uint8_t {
  kNumSigEitherSideCentre,
  kNumSigEitherSideCentreMR,
  kWithin1SD,
  kNumSigZigZag,
  kNumSigIncDec,
};
inline constexpr int kOptionNumberCount = 5;

struct OptionNumberControl {
  std::string_view name;
  std::string_view key;
  std::string_view default_text;
  std::int16_t page;  // the page that holds the box
};

inline constexpr std::array<OptionNumberControl, kOptionNumberCount> kOptionNumbers = {{
    {"txtNumSigEitherSideCentre", "AllAboveBelowMean", "8", 0},
    {"txtNumSigEitherSideCentreMR", "AllAboveBelowMeanMR", "10", 0},
    {"txtWithin1SD", "AllWithin1SD", "15", 3},
    {"txtNumSigZigZag", "ZigZagRepeats", "7", 1},
    {"txtNumSigIncDec", "AllIncreasingOrDecreasing", "6", 1},
}};

inline constexpr const OptionCheckControl& Control(OptionCheck c) {
  return kOptionChecks[static_cast<std::size_t>(c)];
}
inline constexpr const OptionNumberControl& Control(OptionNumber n) {
  return kOptionNumbers[static_cast<std::size_t>(n)];
}

// The controls outside the pages, in twips within the dialog's client area.
namespace options_layout {
inline constexpr std::int32_t kClientWidth = 7485;
inline constexpr TwipRect kLabel1 = {120, 120, 4125, 195};
inline constexpr TwipRect kTabStrip = {120, 480, 7215, 5775};
inline constexpr TwipRect kWhatIsSD = {120, 6360, 4335, 585};
inline constexpr TwipRect kCancel = {4440, 6360, 1335, 375};
inline constexpr TwipRect kOk = {6000, 6360, 1335, 375};
inline constexpr TwipRect kDefaults = {6000, 6840, 1455, 255};
// The arrows go no higher than this; the lower stop is ours to choose.
inline constexpr std::int16_t kUpDownMax = 100;
inline constexpr std::int16_t kUpDownMin = 1;
}  // namespace options_layout

// The client height the dialog keeps: the lowest of the Defaults button and the SD note, plus a
// margin (7215 twips).
std::int32_t OptionsClientHeight();

}  // namespace ostrevin

#endif  // OSTREVIN_UI_OPTIONS_CONTROLS_H_
