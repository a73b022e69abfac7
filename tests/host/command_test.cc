#include "host/command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chartfile/chart_file.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

const std::string kDumpUsage = "usage: ostrevin dump CHART.json [--library PATH]\n";

TEST(CommandTest, WrongUsageExitsWith2) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string top_help = RunOstrevin({"--help"}).out;
  const Case cases[] = {
      {{}, "ostrevin: missing command\n" + top_help},
      {{"frob"}, "ostrevin: unknown command \"frob\"\n" + top_help},
      {{"--frob"}, "ostrevin: unknown option --frob\n" + top_help},
      {{"dump"}, "ostrevin dump: missing CHART.json\n" + kDumpUsage},
      {{"dump", "a.json", "b.json"}, "ostrevin dump: too many arguments\n" + kDumpUsage},
      {{"dump", "--pretty", "a.json"}, "ostrevin dump: unknown option --pretty\n" + kDumpUsage},
  };
  for (const Case& c : cases) {
    CommandRun run = RunOstrevin(c.args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

TEST(CommandTest, HelpGoesToStandardOutput) {
  EXPECT_EQ(RunOstrevin({"--help"}).out,
            FileText(std::filesystem::path(OSTREVIN_GOLDEN_DIR) / "help.txt"));
  CommandRun help = RunOstrevin({"dump", "--help"});
  EXPECT_EQ(help.status, kExitSuccess);
  EXPECT_TRUE(help.out.starts_with(kDumpUsage + "\nReads the chart file")) << help.out;
  EXPECT_EQ(RunOstrevin({"help", "dump"}).out, help.out);
  // The versions of the command and of the library it loads, with its path.
  EXPECT_EQ(RunOstrevin({"--version"}).out,
            "ostrevin 2.00.0007\n" + std::filesystem::canonical(LibraryUnderTest()).string() +
                " 2.00.0007\n");
}

TEST(CommandTest, DumpWritesTheContainerBack) {
  const std::filesystem::path chart = ExamplesDir() / "measurements.json";
  const ChartObject data = ReadChart(chart);
  CommandRun run = RunOstrevin({"dump", chart.string()});
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, *ChartFileText(data));
}

TEST(CommandTest, UnusableChartExitsWith1) {
  const std::filesystem::path dir = ScratchDir();
  std::ofstream(dir / "bad.json") << "{\n  \"CType\": -1,\n  \"Mx\": {\"101\": 5}\n}\n";
  struct Case {
    std::string path;
    std::string err;
  };
  const Case cases[] = {
      {(dir / "bad.json").string(), "ostrevin: error 9: " + (dir / "bad.json").string() +
                                        ":3: Mx: Subscript out of range: Mx(101)\n"},
      {(dir / "none.json").string(),
       "ostrevin: " + (dir / "none.json").string() + ": cannot open: No such file or directory\n"},
      {dir.string(), "ostrevin: " + dir.string() + ": not a regular file\n"},
  };
  for (const Case& c : cases) {
    CommandRun run = RunOstrevin({"dump", c.path});
    EXPECT_EQ(run.status, kExitUnusable);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace ostrevin
