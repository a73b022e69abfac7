// Faults the fuzzers and the bad-input catalogue found, pinned down case by case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/posix_file.h"
#include "settings/ini_file_store.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

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
