#ifndef OSTREVIN_UI_OPTIONS_CONTROLS_H_
#define OSTREVIN_UI_OPTIONS_CONTROLS_H_

// The options dialog's pages and the controls that hold settings, declared once: the model loads,
// validates and saves through these tables and the widgets find their controls by the names.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/test_id.h"
#include "ui/pattern.h"
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

// The check boxes: the test switches of section "CheckFor" in the order the tests run, then the
// test options of section "Significances".
enum class OptionCheck : std::uint8_t {
#define OSTREVIN_TEST(Id, ...) Id,
#define OSTREVIN_TEST_OPTION(Id, ...) Id,
#include "settings/tests.def"
};
inline constexpr int kTestSwitchCount = kTestCount;
inline constexpr int kOptionCheckCount = kTestCount + kTestOptionCount;

struct OptionCheckControl {
  std::string_view name;
  std::string_view key;
  TestId test;  // the test the box switches, or whose option it is
};

inline constexpr std::array<OptionCheckControl, kOptionCheckCount> kOptionChecks = {{
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, Legend, Check, ...)                                     \
  {Check, Key, TestId::Id},
#define OSTREVIN_TEST_OPTION(Id, Test, Key, Check) {Check, Key, TestId::Test},
#include "settings/tests.def"
}};

// The number boxes, one per test that has a threshold: OptionNumber is the test's id.
using OptionNumber = TestId;

struct OptionNumberControl {
  std::string_view name;  // empty: the test has no number box
  std::string_view key;
  std::string_view default_text;
  std::int16_t page;           // the page that holds the box
  std::int16_t rank;           // the order in which the dialog loads and saves the numbers
  std::string_view test_name;  // the test's name in messages
  bool moving_range;           // the test of the moving-range graph
  std::int16_t least, most;    // the numbers the test can use
};

inline constexpr std::array<OptionNumberControl, kTestCount> kOptionNumbers = {{
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, Legend, Check, Image, Picture, Least, Most)             \
  {Box,                                                                                            \
   Threshold,                                                                                      \
   ThresholdDefault,                                                                               \
   Page,                                                                                           \
   Rank,                                                                                           \
   Legend,                                                                                         \
   std::string_view(#MovingRange) == "kOnly",                                                      \
   Least,                                                                                          \
   Most},
#include "settings/tests.def"
}};

// The dialog's picture of a test's signal.
struct OptionPictureControl {
  std::string_view name;  // empty: the test has no picture
  Pattern pattern;
};

inline constexpr std::array<OptionPictureControl, kTestCount> kOptionPictures = {{
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, Legend, Check, Image, Picture, ...)                     \
  {Image, Pattern::Picture},
#include "settings/tests.def"
}};

inline constexpr const OptionCheckControl& Control(OptionCheck c) {
  return kOptionChecks[static_cast<std::size_t>(c)];
}
inline constexpr const OptionNumberControl& Control(OptionNumber n) {
  return kOptionNumbers[static_cast<std::size_t>(n)];
}
inline constexpr const OptionPictureControl& Picture(TestId test) {
  return kOptionPictures[static_cast<std::size_t>(test)];
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
