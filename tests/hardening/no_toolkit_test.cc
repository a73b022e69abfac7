// The commands that open no window run without loading Qt: the dynamic loader's own account of
// the files it opens (LD_DEBUG=files) must name no Qt library. `plot` is the one that does, which
// shows that the account is read right.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/hardening/command_process.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

bool LoadsQt(const std::vector<std::string>& args, const fs::path& dir) {
  ::setenv("LD_DEBUG", "files", 1);
  ProcessRun run = RunCommandProcess(args, dir);
  ::unsetenv("LD_DEBUG");
  EXPECT_EQ(run.exit_status, 0) << args[0] << ": " << run.err.substr(run.err.size() - 400);
  return run.err.find("libQt6") != std::string::npos;
}

TEST(NoToolkitTest, OnlyPlotLoadsQt) {
  const fs::path dir = HardeningScratchDir();
  const std::string chart = std::string(OSTREVIN_EXAMPLES_DIR) + "/measurements.json";
  Write(dir / "weights.csv", "Weight\n501.8\n502.4\n501.5\n502.9\n502.1\n506.6\n");
  ::setenv("XDG_DATA_HOME", dir.c_str(), 1);  // register writes its registry here
  ::setenv("OSTREVIN_SETTINGS", (dir / "settings.ini").c_str(), 1);
  const std::vector<std::vector<std::string>> windowless = {
      {"--help"},
      {"info"},
      {"diagnose", chart},
      {"dump", chart},
      {"chart", "xmr", "weights.csv", "-o", "weights.json"},
      {"false-alarms", "--runs", "50"},
      {"settings", "set", "CheckFor", "DiagnoseForZigZag", "-1"},
      {"settings", "list"},
      {"register"},
      {"unregister"},
  };
  for (const std::vector<std::string>& args : windowless)
    EXPECT_FALSE(LoadsQt(args, dir)) << args[0] << " loaded Qt";
  EXPECT_TRUE(LoadsQt({"plot", chart, "-o", "chart.svg"}, dir));
}

}  // namespace
}  // namespace ostrevin
