// Faults the fuzzers and the bad-input catalogue found, pinned down case by case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/posix_file.h"
#include "settings/ini_document.h"
#include "settings/ini_file_store.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

// A last line that ends in CR but not LF: an edit that adds lines after it must not turn its CR
// into part of a line break (the value would lose it, "[Name]\r" would become a section).
TEST(FixedFaultsTest, EditAfterALastLineEndingInCrKeepsThatLine) {
  struct Case {
    std::string text;
    std::string edited;
  };
  const Case cases[] = {
      {"[CheckFor]\nDiagnoseForZigZag=-1\r",
       "[CheckFor]\nDiagnoseForZigZag=-1\r\r\n\n[Significances]\nZigZagRepeats=9\n"},
      {"[Significances]\r", "[Significances]\r\r\n\n[Significances]\nZigZagRepeats=9\n"},
      {"[Significances]\r\n;\r", "[Significances]\r\n;\r\r\nZigZagRepeats=9\r\n"},
  };
  for (const Case& c : cases) {
    IniDocument doc = IniDocument::Parse(c.text);
    doc.Set("Significances", "ZigZagRepeats", "9");
    EXPECT_EQ(doc.ToText(), c.edited);
    const IniDocument reread = IniDocument::Parse(doc.ToText());
    EXPECT_EQ(reread.Find("CheckFor", "DiagnoseForZigZag"),
              IniDocument::Parse(c.text).Find("CheckFor", "DiagnoseForZigZag"));
    EXPECT_EQ(reread.Find("Significances", "ZigZagRepeats"), "9");
  }
}

// A read-only settings file is not replaced behind the user's back (a rename would do it).
TEST(FixedFaultsTest, ReadOnlySettingsFileIsNotReplaced) {
  const fs::path dir = fs::temp_directory_path() / "ostrevin_fixed_faults";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "settings.ini";
  EXPECT_TRUE(MayReplace(file));  // no file yet
  std::ofstream(file) << "[CheckFor]\nDiagnoseForZigZag=0\n";
  EXPECT_TRUE(MayReplace(file));
  fs::permissions(file, fs::perms(0444));
  EXPECT_FALSE(MayReplace(file));

  IniFileStore store(file);
  EXPECT_FALSE(store.SaveSetting("Ostrevin", "CheckFor", "DiagnoseForZigZag", "-1"));
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "[CheckFor]\nDiagnoseForZigZag=0\n");
}

}  // namespace
}  // namespace ostrevin
