#include "settings/diagnosis_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/memory_store.h"

namespace ostrevin {
namespace {

TEST(DiagnosisSettingsTest, CheckForJudgesTheStoredText) {
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const struct {
    std::string text;
    bool expected;
  } cases[] = {
      {"0", false},    {"-1", true},    {" -1 ", true}, {"\t1\t", true}, {"abc", true},
      {"", true},      {"False", true}, {"0.4", false}, {"0.5", false},  {"-0.5", false},
      {"1.5", true},   {"2.5", true},   {"0.6", true},  {"5e-1", false}, {"1e", true},
      {"1e400", true}, {tiny, false},   {"+0", false},  {"0 0", true},
  };
  for (const auto& c : cases) {
    for (std::string key : {"DiagnoseForZigZag", "DiagnoseForAllAboveUCL"}) {
      MemoryStore store;
      store.SaveSetting("Ostrevin", "CheckFor", key, c.text);
      EXPECT_EQ(DiagnosisSettings(store).GetCheckFor(key), c.expected) << key << " '" << c.text;
    }
  }
}

TEST(DiagnosisSettingsTest, SignificanceIsTheRoundedLeadingNumberClampedTo16Bits) {
  const std::string huge = "1" + std::string(500, '0') + "e-10";
  const struct {
    std::string text;
    std::int16_t expected;
  } cases[] = {
      {"7.5", 8},           {"6.5", 6},         {"12abc", 12},        {"", 0},
      {"abc", 0},           {"  3", 3},         {"-4.5", -4},         {"-5.5", -6},
      {"0.5", 0},           {"1e3", 1000},      {"2.5e0x", 2},        {"0", 0},
      {"40000", 32767},     {"32767.5", 32767}, {"-32768.5", -32768}, {"-1e9", -32768},
      {"-32767.5", -32768}, {huge, 32767},      {"1e400", 32767},     {"- 5", 0},
      {"1e-400", 0},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    store.SaveSetting("Ostrevin", "Significances", "AllWithin1SD", c.text);
    EXPECT_EQ(DiagnosisSettings(store).GetSignificance("AllWithin1SD", "15"), c.expected)
        << "'" << c.text << "'";
  }
}

TEST(DiagnosisSettingsTest, SignificanceFlagReadsWordsAndNumbers) {
  const struct {
    std::string text;
    bool expected;
  } cases[] = {
      {"True", true}, {"true", true}, {"FALSE", false},    {"False", false}, {" false ", false},
      {"0", false},   {"-1", true},   {"0.4", true},       {"0e5", false},   {" 0 ", false},
      {"yes", true},  {"", true},     {"Falsehood", true},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    store.SaveSetting("Ostrevin", "Significances", "ZigZagFrom1SD", c.text);
    EXPECT_EQ(DiagnosisSettings(store).GetSignificanceFlag("ZigZagFrom1SD"), c.expected)
        << "'" << c.text << "'";
  }
}

// Fails to delete one section only, to show that a reset carries on past a failure.
class StoreFailingToDelete : public MemoryStore {
 public:
  explicit StoreFailingToDelete(std::string section) : section_(std::move(section)) {}
  bool DeleteSection(std::string_view app, std::string_view section) override {
    return section != section_ && MemoryStore::DeleteSection(app, section);
  }

 private:
  std::string section_;
};

TEST(DiagnosisSettingsTest, ResetToDefaultsDeletesBothSectionsDespiteFailures) {
  StoreFailingToDelete store("CheckFor");
  DiagnosisSettings settings(store);
  settings.ResetToDefaults();  // neither section exists yet
  EXPECT_EQ(store.size(), 0u);

  settings.SaveCheckFor("DiagnoseForZigZag", true);
  settings.SaveSignificance("ZigZagRepeats", "3");
  store.SaveSetting("Ostrevin", "Other", "Kept", "1");
  store.SaveSetting("Other", "Significances", "Kept", "1");
  settings.ResetToDefaults();
  EXPECT_TRUE(settings.GetCheckFor("DiagnoseForZigZag"));  // its deletion failed
  EXPECT_EQ(settings.GetSignificance("ZigZagRepeats", "7"), 7);
  EXPECT_EQ(store.size(), 3u);

  MemoryStore plain;
  DiagnosisSettings(plain).SaveCheckFor("DiagnoseForZigZag", true);
  DiagnosisSettings(plain).ResetToDefaults();
  EXPECT_FALSE(DiagnosisSettings(plain).GetCheckFor("DiagnoseForZigZag"));
}

}  // namespace
}  // namespace ostrevin
