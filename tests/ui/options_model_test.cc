#include "ui/options_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_platform.h"
#include "settings/memory_store.h"
#include "tests/golden_text.h"

namespace ostrevin {
namespace {

using enum OptionCheck;
using N = OptionNumber;

// A memory store that also writes down every write, in order, a line "Section/Key=value" each.
class WriteLog : public MemoryStore {
 public:
  bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override {
    writes += std::string(section) + "/" + std::string(key) + "=" + std::string(value) + "\n";
    return MemoryStore::SaveSetting(app, section, key, value);
  }
  std::string writes;
};

std::vector<bool> CheckStates(const OptionsModel& m) {
  std::vector<bool> states;
  for (int i = 0; i < kOptionCheckCount; ++i) states.push_back(m.checked(OptionCheck(i)));
  return states;
}
std::vector<std::string> Texts(const OptionsModel& m) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < kOptionNumbers.size(); ++i) {
    if (!kOptionNumbers[i].name.empty()) texts.push_back(m.text(OptionNumber(i)));
  }
  return texts;
}

// The controls on an empty store: the five limit and centre-line tests, the zigzag options.
const std::vector<bool> kDefaultChecks = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1};
const std::vector<std::string> kDefaultTexts = {"8", "10", "15", "6", "7"};

TEST(OptionsModelTest, ShowsStoredNumbersRoundedAndZigZagOptionsByTheirValue) {
  const struct {
    std::string text;
    std::string shown;  // in the number box
    bool checked;       // as a zigzag option
  } cases[] = {
      {"7.6", "8", true},   {"7.5", "8", true},       {"6.5", "6", true},    {"12abc", "12", true},
      {"0", "0", false},    {"-1", "-1", true},       {"1", "1", true},      {"0.4", "0", false},
      {"-0.5", "0", false}, {"True", "0", true},      {"false", "0", false}, {"abc", "0", true},
      {"", "0", true},      {"40000", "32767", true},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    store.SaveSetting("Ostrevin", "Significances", "ZigZagRepeats", c.text);
    store.SaveSetting("Ostrevin", "Significances", "ZigZagFrom1SD", c.text);
    OptionsModel m(store);
    EXPECT_EQ(m.text(N::kZigZag), c.shown) << c.text;
    EXPECT_EQ(m.checked(kZigZagFrom1SD), c.checked) << c.text;
  }
}

TEST(OptionsModelTest, OkSavesEveryControlInOrderAsTyped) {
  WriteLog store;
  OptionsModel m(store);
  m.SetChecked(kAboveUCL, false);
  m.SetChecked(kZigZag, true);
  m.SetChecked(kZigZagAtLeast1SD, false);
  m.SetText(N::kZigZag, "9");
  m.SetText(N::kIncreasingOrDecreasing, " 1e1 ");
  RecordingPlatform platform;
  EXPECT_TRUE(m.Ok(platform, [](OptionNumber) { FAIL() << "no page to show"; }));
  EXPECT_FALSE(m.blnCancel());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(store.writes, TestFileText("ui/golden/ok-writes.txt"));
  OptionsModel reopened(store);
  EXPECT_EQ(reopened.text(N::kZigZag), "9");
  EXPECT_EQ(reopened.text(N::kIncreasingOrDecreasing), "10");
  EXPECT_FALSE(reopened.checked(kAboveUCL));
  EXPECT_FALSE(reopened.checked(kZigZagAtLeast1SD));
}

// OK refuses a text that is no number (showing the last page with one) and a number its test
// cannot use (showing its box, the first in OK's order, with the range), and stores nothing.
TEST(OptionsModelTest, OkRefusesWhatTheTestsCannotUse) {
  const std::string no_number = "Please enter a valid number for the number of significant places";
  const std::string run = "The number for \"Run on one side of the centre line\"";
  const std::string zigzag = "The number for \"Zigzag\" must be a whole number from 1 to 16383.";
  const struct {
    std::vector<std::pair<OptionNumber, std::string>> texts;
    std::int16_t page;  // -1: taken
    std::string message;
  } cases[] = {
      {{{N::kAboveBelowMean, ""}, {N::kIncreasingOrDecreasing, ""}}, 1, no_number},
      {{{N::kAboveBelowMeanMR, "x"}}, 0, no_number},
      {{{N::kWithin1SD, "12abc"}}, 3, no_number},
      {{{N::kZigZag, "1,5"}, {N::kAboveBelowMean, "-"}}, 1, no_number},
      {{{N::kWithin1SD, " "}, {N::kAboveBelowMean, "e5"}}, 3, no_number},
      {{{N::kAboveBelowMean, "0"}}, 0, run + " must be a whole number from 1 to 32767."},
      {{{N::kAboveBelowMeanMR, "32768"}},
       0,
       run + " on the moving range chart must be a whole number from 1 to 32767."},
      {{{N::kIncreasingOrDecreasing, "1"}},
       1,
       "The number for \"Trend\" must be a whole number from 2 to 32767."},
      {{{N::kWithin1SD, "99999999999"}},
       3,
       "The number for \"Run within 1 SD\" must be a whole number from 1 to 32767."},
      {{{N::kZigZag, "16384"}}, 1, zigzag},
      {{{N::kZigZag, "7.5"}}, 1, zigzag},
      {{{N::kZigZag, "16383"}, {N::kIncreasingOrDecreasing, "2"}}, -1, ""},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    OptionsModel m(store);
    for (const auto& [box, text] : c.texts) m.SetText(box, text);
    RecordingPlatform platform;
    std::vector<std::int16_t> shown;
    EXPECT_EQ(m.Ok(platform, [&](OptionNumber box) { shown.push_back(Control(box).page); }),
              c.page < 0);
    if (c.page < 0) continue;
    EXPECT_EQ(shown, std::vector<std::int16_t>{c.page}) << c.message;
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, c.message);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::kExclamation);
    EXPECT_EQ(platform.messages[0].title, "");
    EXPECT_EQ(store.size(), 0u);
    EXPECT_TRUE(m.blnCancel());
  }
}

TEST(OptionsModelTest, OkThatCannotSaveSaysSoAndStaysOpen) {
  MemoryStore store;
  store.set_fail_writes(true);
  OptionsModel m(store);
  RecordingPlatform platform;
  EXPECT_FALSE(m.Ok(platform, [](OptionNumber) {}));
  EXPECT_TRUE(m.blnCancel());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "The diagnosis options could not be saved.");
}

TEST(OptionsModelTest, DefaultsDeletesTheSettingsAndKeepsCancel) {
  MemoryStore store;
  store.SaveSetting("Ostrevin", "CheckFor", "DiagnoseForZigZag", "-1");
  store.SaveSetting("Ostrevin", "Significances", "AllWithin1SD", "3");
  store.SaveSetting("Other", "CheckFor", "Kept", "1");
  OptionsModel m(store);
  m.SetChecked(kBelowLCL, false);
  m.Defaults();
  EXPECT_EQ(store.size(), 1u);
  EXPECT_EQ(CheckStates(m), kDefaultChecks);
  EXPECT_EQ(Texts(m), kDefaultTexts);
  EXPECT_TRUE(m.blnCancel());
}

TEST(OptionsModelTest, ArrowsStepTheWholeNumberAndStopAt100) {
  const struct {
    std::string text;
    int step;
    std::string expected;
  } cases[] = {
      {"6", 1, "7"},       {"6", -1, "5"},     {"99", 1, "100"}, {"100", 1, "100"},
      {"150", 1, "150"},   {"150", -1, "100"}, {"1", -1, "1"},   {"2", -1, "1"},
      {"", 1, "1"},        {"abc", -1, "abc"}, {"7.5", 1, "9"},  {"-5", 1, "1"},
      {"12abc", -1, "11"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OptionsModel::StepNumberText(c.text, c.step), c.expected)
        << "'" << c.text << "' " << c.step;
  }
}

}  // namespace
}  // namespace ostrevin
