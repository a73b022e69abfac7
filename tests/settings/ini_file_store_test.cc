#include "settings/ini_file_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/scoped_env.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

class IniFileStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "ostrevin-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    file_ = dir_ / "settings.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  // Sets the file's access and modification times to `seconds` past the epoch.
  static void SetTime(const fs::path& path, int seconds) {
    timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  std::string Get(IniFileStore& store, std::string_view key) {
    return store.GetSetting("Ostrevin", "S", key, "default");
  }

  fs::path dir_;
  fs::path file_;
};

// OSTREVIN_SETTINGS naming the file is tested through `ostrevin settings path`.
TEST(SettingsFilePathTest, ChoosesTheFirstVariableThatIsSet) {
  using Env = std::map<std::string, std::string>;
  const struct {
    Env env;
    std::string expected;
  } cases[] = {
      {{{"OSTREVIN_SETTINGS", ""}, {"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}},
       "/c/Ostrevin/settings.ini"},
      {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}}, "/h/.config/Ostrevin/settings.ini"},
      {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/h"}}, "/h/.config/Ostrevin/settings.ini"},
      {{{"HOME", ""}}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    auto lookup = [&](std::string_view name) {
      auto it = c.env.find(std::string(name));
      return it == c.env.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    EXPECT_EQ(SettingsFilePath(lookup).string(), c.expected);
  }
}

// Without any of the variables the account's home folder stands in for HOME.
TEST(SettingsFilePathTest, DefaultFallsBackToTheAccountsHomeFolder) {
  ScopedEnv settings("OSTREVIN_SETTINGS", std::nullopt), config("XDG_CONFIG_HOME", std::nullopt),
      home("HOME", std::nullopt);
  const std::string path = DefaultSettingsFilePath().string();
  EXPECT_EQ(path, std::string(::getpwuid(::getuid())->pw_dir) + "/.config/Ostrevin/settings.ini");
}

TEST_F(IniFileStoreTest, UnusableFilesReadAsEmptyAndAreNotOverwritten) {
  const std::string binary("[S]\nk=v\n\0\x01\xff", 11);
  Write(file_, binary);
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  Write(dir_ / "big", "[S]\nk=v\n" + std::string(IniFileStore::kMaxFileSize, ';'));
  for (const fs::path& path : {file_, dir_ / "folder", dir_ / "pipe", dir_ / "big"}) {
    IniFileStore store(path);
    EXPECT_EQ(Get(store, "k"), "default") << path;
    EXPECT_FALSE(store.SaveSetting("Ostrevin", "S", "k", "w")) << path;
    EXPECT_TRUE(store.DeleteSection("Ostrevin", "S")) << path;
  }
  EXPECT_EQ(Read(file_), binary);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
}

TEST_F(IniFileStoreTest, MissingFileReadsEmptyAndIsCreatedWithItsFolder) {
  IniFileStore store(dir_ / "a" / "b" / "settings.ini");
  EXPECT_EQ(Get(store, "k"), "default");
  EXPECT_TRUE(store.DeleteSection("Ostrevin", "S"));
  EXPECT_FALSE(fs::exists(dir_ / "a"));

  EXPECT_TRUE(store.SaveSetting("Ostrevin", "Significances", "ZigZagRepeats", " 7 = x"));
  EXPECT_TRUE(store.SaveSetting("Ostrevin", "CheckFor", "DiagnoseForZigZag", "-1"));
  EXPECT_TRUE(store.SaveSetting("Ostrevin", "Significances", "Empty", ""));
  EXPECT_FALSE(store.SaveSetting("Ostrevin", "CheckFor", "DiagnoseForZigZag", "0\n[X]"));
  EXPECT_EQ(Read(dir_ / "a" / "b" / "settings.ini"),
            "[Significances]\nZigZagRepeats= 7 = x\nEmpty=\n\n[CheckFor]\nDiagnoseForZigZag=-1\n");

  IniFileStore other(dir_ / "a" / "b" / "settings.ini");
  EXPECT_EQ(other.GetSetting("x", "significances", "zigzagrepeats", ""), " 7 = x");
  EXPECT_EQ(other.GetSetting("x", "Significances", "Empty", "default"), "");
  EXPECT_EQ(other.GetSetting("x", "CheckFor", "DiagnoseForZigZag", ""), "-1");
}

TEST_F(IniFileStoreTest, ParsesOnlyWhenTheFileChanges) {
  Write(file_, "[S]\nk=1\n");
  SetTime(file_, 1000);
  // Without a settling time the stamp is trusted at once; the new times below make the change
  // visible even if it falls within the clock tick of the first write.
  IniFileStore store(file_, std::chrono::nanoseconds(0));
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Get(store, "k"), "1");
  EXPECT_EQ(store.parse_count(), 1u);

  Write(file_, "[S]\nk=2\n");  // same size, same inode
  SetTime(file_, 2000);
  EXPECT_EQ(Get(store, "k"), "2");
  EXPECT_EQ(Get(store, "k"), "2");
  EXPECT_EQ(store.parse_count(), 2u);

  IniFileStore other(file_);
  ASSERT_TRUE(other.SaveSetting("Ostrevin", "S", "k", "3"));
  EXPECT_EQ(Get(store, "k"), "3");
}

TEST_F(IniFileStoreTest, SymbolicLinkStaysALink) {
  fs::create_directory(dir_ / "real");
  Write(dir_ / "real" / "settings.ini", "[S]\nk=1\n");
  fs::create_symlink(dir_ / "real" / "settings.ini", file_);
  ASSERT_EQ(::chmod((dir_ / "real" / "settings.ini").c_str(), 0640), 0);
  IniFileStore store(file_);
  EXPECT_TRUE(store.SaveSetting("Ostrevin", "S", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(Read(dir_ / "real" / "settings.ini"), "[S]\nk=2\n");
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms(0640));
}

}  // namespace
}  // namespace ostrevin
