#ifndef OSTREVIN_UI_OPTIONS_MODEL_H_
#define OSTREVIN_UI_OPTIONS_MODEL_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/diagnosis_settings.h"
#include "ui/options_controls.h"

namespace ostrevin {

class Platform;
class SettingsStore;

// The options dialog without its widgets: the state of its controls, which page shows, and how
// OK, Cancel and Defaults treat the settings store. Only OK writes settings; only Defaults
// deletes them.
class OptionsModel {
 public:
  static constexpr std::string_view kInvalidNumberMessage =
      "Please enter a valid number for the number of significant places";
  static constexpr std::string_view kSaveFailedMessage =
      "The diagnosis options could not be saved.";

  // Loads the dialog: blnCancel true, the first page showing, the controls filled from `store`,
  // which must outlive the model.
  explicit OptionsModel(SettingsStore& store);

  // False exactly when the dialog was closed by a successful OK.
  bool blnCancel() const { return blnCancel_; }
  std::int16_t intCurrentFrame() const { return intCurrentFrame_; }
  // The note on what SD means shows on every page but the first.
  bool WhatIsSDVisible() const { return intCurrentFrame_ >= 1; }

  bool checked(OptionCheck box) const { return checked_[static_cast<std::size_t>(box)]; }
  void SetChecked(OptionCheck box, bool value) { checked_[static_cast<std::size_t>(box)] = value; }
  const std::string& text(OptionNumber box) const { return text_[static_cast<std::size_t>(box)]; }
  void SetText(OptionNumber box, std::string value) {
    text_[static_cast<std::size_t>(box)] = std::move(value);
  }

  // Fills the controls from the settings store; numbers show as whole numbers.
  void LoadSettingsIntoControls();
  // Writes the controls to the store: the test switches, then each number box in its rank after
  // its test's options. Every key is written; false when any write failed.
  bool SaveControlsToSettings();

  // The last number box (in OK's order) whose text is not a numeric text.
  std::optional<OptionNumber> InvalidNumberBox() const;
  // The first number box whose number is not a whole number its test can use.
  std::optional<OptionNumber> OutOfRangeBox() const;
  // "The number for "Trend" must be a whole number from 2 to 32767."
  static std::string RangeMessage(OptionNumber box);
  // A click on tab `page` (from 0). False when that page is already showing.
  bool SelectTab(std::int16_t page);

  // OK: with an invalid number, or one its test cannot use, shows its box through `show_box`
  // (its page, the box selected), then the message, and keeps the dialog open; otherwise saves
  // and clears blnCancel. A save that fails is reported and keeps the dialog open. True when the
  // dialog is to close.
  bool Ok(Platform& platform, const std::function<void(OptionNumber box)>& show_box);
  // Defaults: deletes the stored settings (failures ignored) and reloads the controls; blnCancel
  // stays true, so the report is not composed again. The dialog then closes.
  void Defaults();
  // The About box: "Quorva Diagnosis program version 2.0.7".
  void About(Platform& platform) const;
  static std::string AboutText();

  // The text after a click on a number box's arrows: its whole number moved by `step`, or the
  // text unchanged when that would pass the arrows' stops.
  static std::string StepNumberText(std::string_view text, int step);

 private:
  DiagnosisSettings settings_;
  bool blnCancel_ = true;
  std::int16_t intCurrentFrame_ = 0;
  std::array<bool, kOptionCheckCount> checked_{};
  std::array<std::string, kTestCount> text_;  // by test; used where the test has a box
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_OPTIONS_MODEL_H_
