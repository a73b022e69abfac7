// DllRegisterServer and DllUnregisterServer with a registry of the test's own, and creation by
// programmatic name through it.
#include "abi/component_registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include "client/dispatch_object.h"
#include "tests/library/library_test_support.h"
#include "tests/scoped_env.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDir();
    ::setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    registry_ = dir_ / "component-registry" / "classes.ini";
  }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

  fs::path dir_;
  fs::path registry_;
};

TEST_F(RegistrationTest, ARegistryThatCannotBeWrittenIsAStatus) {
  std::ofstream(dir_ / "component-registry") << "a file where the folder should be";
  EXPECT_EQ(Library().Register(), kOstRegistrationFailed);
  EXPECT_EQ(Library().Unregister(), kOstOk);  // nothing registered there to remove
}

TEST(ComponentRegistryTest, WhereTheRegistryLives) {
  struct Case {
    std::optional<std::string> data_home, home;
    std::string path;
  };
  const Case cases[] = {
      {"/data", "/home/u", "/data/component-registry/classes.ini"},
      {"relative", "/home/u", "/home/u/.local/share/component-registry/classes.ini"},
      {"", "/home/u", "/home/u/.local/share/component-registry/classes.ini"},
      {std::nullopt, std::nullopt, ""},
      {std::nullopt, "", ""},
  };
  for (const Case& c : cases) {
    auto env = [&](std::string_view name) {
      return name == "XDG_DATA_HOME" ? c.data_home : name == "HOME" ? c.home : std::nullopt;
    };
    EXPECT_EQ(ComponentRegistryPath(env).string(), c.path);
  }
  // Without HOME the account's home folder stands in.
  std::string from_account;
  {
    ScopedEnv home("HOME", std::nullopt), data_home("XDG_DATA_HOME", std::nullopt);
    from_account = DefaultComponentRegistryPath().string();
  }
  EXPECT_EQ(from_account, std::string(::getpwuid(::getuid())->pw_dir) +
                              "/.local/share/component-registry/classes.ini");
}

TEST(ComponentRegistryTest, ClassIdsReadBackAndMalformedOnesAreRefused) {
  EXPECT_EQ(GuidText(*ParseGuid("{0d816a40-71ea-488d-9b05-a63aca044355}")),
            "{0D816A40-71EA-488D-9B05-A63ACA044355}");
  for (const char* bad :
       {"", "0D816A40-71EA-488D-9B05-A63ACA044355", "{0D816A40-71EA-488D-9B05-A63ACA04435G}",
        "{0D816A40+71EA-488D-9B05-A63ACA044355}"})
    EXPECT_FALSE(ParseGuid(bad).has_value()) << bad;
}

}  // namespace
}  // namespace ostrevin
