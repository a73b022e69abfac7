// The commands that reach the library beyond a diagnosis: info, register and unregister, the
// windows without a display, and a library that cannot be loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "abi/component_registry.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

const std::string kNow = "2026-12-06 10:00:00";

TEST(InfoCommandTest, PrintsTheDescriptorAndTheLibrarysIdentity) {
  CommandRun run = RunOstrevin({"info"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::string expected = FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "info.txt");
  expected.replace(expected.find("LIBRARY"), 7, LibraryUnderTest().string());
  EXPECT_EQ(run.out, expected);
}

// Register, diagnose by the class's name alone, unregister: the registry keeps what else it
// holds, and afterwards creation by name fails with a message.
TEST(RegisterCommandTest, RegisterCreateByNameAndUnregister) {
  const fs::path dir = ScratchDir();
  ScopedEnv data_home("XDG_DATA_HOME", dir.string());
  const fs::path registry = dir / "component-registry" / "classes.ini";
  fs::create_directories(registry.parent_path());
  const std::string other = "[Other.Class]\nCLSID={00000000-0000-0000-0000-000000000001}\n";
  std::ofstream(registry) << other;
  fs::copy_file(ExamplesDir() / "measurements.json", dir / "chart.json");
  std::ofstream{dir / "settings.ini"};  // an empty settings file: the defaults
  const std::vector<std::string> diagnose = {"diagnose",    (dir / "chart.json").string(),
                                             "--settings",  (dir / "settings.ini").string(),
                                             "--date-time", kNow};
  const std::string library = fs::canonical(LibraryUnderTest()).string();

  for (int again = 0; again < 2; ++again) {  // the second time replaces the same entries
    CommandRun reg = RunOstrevin({"register"});
    EXPECT_EQ(reg.status, 0) << reg.err;
    EXPECT_EQ(reg.out, "registered Ostrevin.clsInfo and Ostrevin.clsData of " +
                           LibraryUnderTest().string() + " in " + registry.string() + "\n");
  }
  const std::string entry = "Library=" + library +
                            "\nTypeLib={1AD387CF-FDF7-4194-A44F-16E0549FD1D9}\nVersion=2.00.0007\n";
  EXPECT_EQ(FileText(registry),
            other + "\n[Ostrevin.clsInfo]\n" + entry +
                "CLSID={1F70C3B8-D05E-473A-BB09-05F3A56E658D}\n\n[Ostrevin.clsData]\n" + entry +
                "CLSID={0D816A40-71EA-488D-9B05-A63ACA044355}\n");
  {
    ScopedEnv by_name("OSTREVIN_LIBRARY", std::nullopt);
    CommandRun run = RunOstrevin(diagnose);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "measurements.txt"));

    CommandRun unreg = RunOstrevin({"unregister"});  // the registered library unregisters
    EXPECT_EQ(unreg.status, 0) << unreg.err;
    EXPECT_EQ(unreg.out, "unregistered Ostrevin.clsInfo and Ostrevin.clsData of " + library +
                             " from " + registry.string() + "\n");
    EXPECT_EQ(FileText(registry), other);

    run = RunOstrevin(diagnose);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "ostrevin: Ostrevin.clsData is not registered in " + registry.string() + "\n");
  }
}

TEST(LibraryChoiceTest, ALibraryThatCannotBeUsedIsNamed) {
  const fs::path dir = ScratchDir();
  std::ofstream(dir / "libEmpty.so") << "not a library";
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string missing = (dir / "libMissing.so").string();
  const std::string empty = (dir / "libEmpty.so").string();
  const Case cases[] = {
      {{"info", "--library", missing},
       "ostrevin: cannot load " + missing + ": " + missing +
           ": cannot open shared object file: No such file or directory\n"},
      {{"dump", "x.json", "--library=" + empty},
       "ostrevin: cannot load " + empty + ": " + empty + ": file too short\n"},
  };
  for (const Case& c : cases) {
    CommandRun run = RunOstrevin(c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, c.err);
  }
  ScopedEnv none("OSTREVIN_LIBRARY", std::nullopt);
  CommandRun run = RunOstrevin({"register"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ostrevin: no library to register: give --library PATH\n");
}

// Without a display the windows cannot open; the command says so instead of being stopped.
TEST(WindowCommandsTest, WithoutADisplayTheWindowsFailCleanly) {
  ScopedEnv qpa("QT_QPA_PLATFORM", std::nullopt);
  ScopedEnv display("DISPLAY", std::nullopt);
  ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  const std::string reason =
      "cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM)\n";
  const std::string chart = (ExamplesDir() / "measurements.json").string();
  const std::string settings = (ScratchDir() / "settings.ini").string();
  std::ofstream{settings};  // an empty settings file: the defaults
  CommandRun show = RunOstrevin({"show", chart, "--settings", settings});
  EXPECT_EQ(show.status, 1);
  EXPECT_EQ(show.err, "ostrevin: " + chart + ": " + reason);
  CommandRun options = RunOstrevin({"options", "--settings", settings});
  EXPECT_EQ(options.status, 1);
  EXPECT_EQ(options.err, "ostrevin: " + reason);
  EXPECT_EQ(FileText(settings), "");  // nothing was saved
}

}  // namespace
}  // namespace ostrevin
