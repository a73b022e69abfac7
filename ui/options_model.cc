#include "ui/options_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/platform.h"
#include "values/numeric_text.h"
#include "values/version_info.h"

namespace ostrevin {
namespace {

// Halves go to the even neighbour, as everywhere the settings are read.
double RoundHalfToEven(double v) {
  const double below = std::floor(v);
  const double fraction = v - below;
  if (fraction != 0.5) return fraction < 0.5 ? below : below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// A zigzag option box is clear when its stored text reads as 0 or as the word False; any other
// text (the words True, other numbers, text that is no number at all) leaves it checked, which
// is also how the zigzag test reads such a text.
bool ZigZagOptionChecked(std::string_view text) {
  const std::string_view word = TrimBlanks(text);
  if (EqualsIgnoreCase(word, "False")) return false;
  const std::optional<double> value = ParseNumericText(text);
  return !value || RoundHalfToEven(*value) != 0;
}

std::int64_t WholeNumber(std::string_view text) {
  const double v = RoundHalfToEven(LeadingNumberValue(text));
  if (std::isnan(v)) return 0;
  return static_cast<std::int64_t>(std::clamp(v, -1e15, 1e15));
}

// The tests with a number box, in the order the dialog loads and saves them; a test's options go
// with its number, just before it.
std::vector<TestId> NumberOrder() {
  std::vector<TestId> order;
  for (std::size_t i = 0; i < kOptionNumbers.size(); ++i) {
    if (!kOptionNumbers[i].name.empty()) order.push_back(static_cast<TestId>(i));
  }
  std::sort(order.begin(), order.end(),
            [](TestId a, TestId b) { return Control(a).rank < Control(b).rank; });
  return order;
}

}  // namespace

std::int32_t OptionsClientHeight() {
  using namespace options_layout;
  return std::max(kDefaults.bottom(), kWhatIsSD.bottom()) + 120;
}

OptionsModel::OptionsModel(SettingsStore& store) : settings_(store) {
  LoadSettingsIntoControls();
}

void OptionsModel::LoadSettingsIntoControls() {
  for (int i = 0; i < kTestSwitchCount; ++i) {
    checked_[i] = settings_.GetCheckFor(kOptionChecks[i].key);
  }
  for (const TestId test : NumberOrder()) {
    for (int i = kTestSwitchCount; i < kOptionCheckCount; ++i) {
      if (kOptionChecks[i].test != test) continue;
      checked_[i] = ZigZagOptionChecked(settings_.GetSignificanceText(kOptionChecks[i].key, "-1"));
    }
    SetText(test, std::to_string(
                      settings_.GetSignificance(Control(test).key, Control(test).default_text)));
  }
}

bool OptionsModel::SaveControlsToSettings() {
  bool saved = true;
  for (int i = 0; i < kTestSwitchCount; ++i) {
    saved &= settings_.SaveCheckFor(kOptionChecks[i].key, checked_[i]);
  }
  for (const TestId test : NumberOrder()) {
    for (int i = kTestSwitchCount; i < kOptionCheckCount; ++i) {
      if (kOptionChecks[i].test != test) continue;
      saved &= settings_.SaveSignificance(kOptionChecks[i].key, checked_[i] ? "-1" : "0");
    }
    saved &= settings_.SaveSignificance(Control(test).key, text(test));
  }
  return saved;
}

std::optional<OptionNumber> OptionsModel::InvalidNumberBox() const {
  std::optional<OptionNumber> box;
  for (std::size_t i = 0; i < kOptionNumbers.size(); ++i) {
    if (!kOptionNumbers[i].name.empty() && !ParseNumericText(text_[i])) box = OptionNumber(i);
  }
  return box;
}

std::optional<OptionNumber> OptionsModel::OutOfRangeBox() const {
  for (const TestId test : NumberOrder()) {
    const std::optional<double> value = ParseNumericText(text(test));
    if (value && (*value != std::floor(*value) || *value < Control(test).least ||
                  *value > Control(test).most))
      return test;
  }
  return std::nullopt;
}

std::string OptionsModel::RangeMessage(OptionNumber box) {
  const OptionNumberControl& c = Control(box);
  return "The number for \"" + std::string(c.test_name) +
         (c.moving_range ? "\" on the moving range chart" : "\"") +
         " must be a whole number from " + std::to_string(c.least) + " to " +
         std::to_string(c.most) + ".";
}

bool OptionsModel::SelectTab(std::int16_t page) {
  if (page == intCurrentFrame_) return false;
  intCurrentFrame_ = page;
  return true;
}

bool OptionsModel::Ok(Platform& platform, const std::function<void(OptionNumber box)>& show_box) {
  if (const std::optional<OptionNumber> box = InvalidNumberBox()) {
    show_box(*box);
    platform.MessageBox(kInvalidNumberMessage, MessageIcon::kExclamation);
    return false;
  }
  // A number the test cannot use would quietly change what it looks for (a run of -3 points).
  if (const std::optional<OptionNumber> box = OutOfRangeBox()) {
    show_box(*box);
    platform.MessageBox(RangeMessage(*box), MessageIcon::kExclamation);
    return false;
  }
  // Closing as if saved when the store refused a write would leave the user believing the
  // new options are in force.
  if (!SaveControlsToSettings()) {
    platform.MessageBox(kSaveFailedMessage, MessageIcon::kExclamation);
    return false;
  }
  blnCancel_ = false;
  return true;
}

void OptionsModel::Defaults() {
  settings_.ResetToDefaults();
  LoadSettingsIntoControls();
  blnCancel_ = true;
}

std::string OptionsModel::AboutText() {
  return "Quorva Diagnosis program version " + std::to_string(kVersionMajor) + "." +
         std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

void OptionsModel::About(Platform& platform) const {
  platform.MessageBox(AboutText(), MessageIcon::kInformation);
}

std::string OptionsModel::StepNumberText(std::string_view text, int step) {
  using options_layout::kUpDownMax;
  using options_layout::kUpDownMin;
  const std::int64_t value = WholeNumber(text);
  if (step > 0 ? value >= kUpDownMax : value <= kUpDownMin) return std::string(text);
  return std::to_string(std::clamp<std::int64_t>(value + step, kUpDownMin, kUpDownMax));
}

}  // namespace ostrevin
