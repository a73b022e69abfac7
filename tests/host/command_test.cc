#include "host/command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chartfile/chart_file.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

const std::string kDumpUsage = "usage: ostrevin dump CHART.json [--library PATH]\n";

// Wrong usage of any command: status 2, the message, then that command's usage from its help.
TEST(CommandTest, WrongUsageExitsWith2) {
  const std::string csv = (ScratchDir() / "d.csv").string();
  std::ofstream(csv) << "v\n1\n2\n4\n";
  const std::string chart = (ExamplesDir() / "measurements.json").string();
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, "ostrevin: missing command"},
      {{"frob"}, "ostrevin: unknown command \"frob\""},
      {{"--frob"}, "ostrevin: unknown option --frob"},
      {{"dump"}, "ostrevin dump: missing CHART.json"},
      {{"dump", "a.json", "b.json"}, "ostrevin dump: too many arguments"},
      {{"dump", "--pretty", "a.json"}, "ostrevin dump: unknown option --pretty"},
      {{"dump", "--", "--pretty", "a.json"}, "ostrevin dump: too many arguments"},
      {{"chart"}, "ostrevin chart: missing KIND and DATA.csv"},
      {{"chart", "xmr"}, "ostrevin chart: missing DATA.csv"},
      {{"chart", "xmr", csv, "extra"}, "ostrevin chart: too many arguments"},
      {{"chart", "ewma", csv},
       "ostrevin chart: unknown chart kind \"ewma\": use xmr, xbar-r, xbar-s, p, np, c or u"},
      {{"chart", "xmr", csv, "--split-at", "2,x"},
       "ostrevin chart: --split-at: \"x\" is not a place number"},
      {{"diagnose", chart, "--format", "xml"},
       "ostrevin diagnose: unknown format \"xml\" (text, json or csv)"},
      {{"diagnose", chart, "--format=json", "--crlf"},
       "ostrevin diagnose: --crlf applies to the text report only"},
      {{"diagnose", chart, "--format"}, "ostrevin diagnose: option --format needs a value"},
      {{"diagnose", chart, "--crlf=yes"}, "ostrevin diagnose: option --crlf takes no value"},
      {{"plot", chart}, "ostrevin plot: missing -o FILE"},
      {{"plot", "-o", "a.svg"}, "ostrevin plot: missing CHART.json"},
      {{"plot", chart, "-o", "chart.pdf"},
       "ostrevin plot: the output file must end in .svg or .png: chart.pdf"},
      {{"plot", chart, "--output"}, "ostrevin plot: option --output needs a value"},
      {{"false-alarms", "--points", "0"},
       "ostrevin false-alarms: --points must be a whole number from 1 to 32767, not \"0\""},
      {{"false-alarms", "--points", "32768"},
       "ostrevin false-alarms: --points must be a whole number from 1 to 32767, not \"32768\""},
      {{"false-alarms", "--runs", "1e4"},
       "ostrevin false-alarms: --runs must be a whole number from 1 to 2147483647, not \"1e4\""},
      {{"false-alarms", "--seed", "18446744073709551616"},
       "ostrevin false-alarms: --seed must be an unsigned integer, not "
       "\"18446744073709551616\""},
      {{"false-alarms", "--shift", "1,,2"},
       "ostrevin false-alarms: --shift must be numbers of SD separated by commas, not \"1,,2\""},
      {{"false-alarms", "--shift", "inf"},
       "ostrevin false-alarms: --shift must be numbers of SD separated by commas, not \"inf\""},
      {{"false-alarms", "--trend", "0.1x"},
       "ostrevin false-alarms: --trend must be a number of SD per point, not \"0.1x\""},
      {{"false-alarms", "100"}, "ostrevin false-alarms: too many arguments"},
  };
  for (const auto& c : cases) {
    // The top level repeats its whole help; a command the first paragraph of its own.
    const bool top = c.message.starts_with("ostrevin: ");
    const std::string help = RunOstrevin(top ? std::vector<std::string>{"--help"}
                                             : std::vector<std::string>{c.args[0], "--help"})
                                 .out;
    CommandRun run = RunOstrevin(c.args);
    EXPECT_EQ(run.status, kExitUsage) << c.message;
    EXPECT_EQ(run.err, c.message + "\n" + (top ? help : help.substr(0, help.find("\n\n") + 1)));
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

// A chart that cannot be used stops dump, diagnose and plot alike: status 1, the same message,
// nothing written.
TEST(CommandTest, UnusableChartExitsWith1) {
  const std::filesystem::path dir = ScratchDir();
  const std::string bad = (dir / "bad.json").string();
  std::ofstream(bad) << "{\n  \"CType\": -1,\n  \"Mx\": {\"101\": 5}\n}\n";
  std::ofstream(dir / "none.ini");
  const struct {
    std::string path, err;
  } cases[] = {
      {bad, "ostrevin: error 9: " + bad + ":3: Mx: Subscript out of range: Mx(101)\n"},
      {(dir / "none.json").string(),
       "ostrevin: " + (dir / "none.json").string() + ": cannot open: No such file or directory\n"},
      {dir.string(), "ostrevin: " + dir.string() + ": not a regular file\n"},
  };
  const std::string settings = "--settings=" + (dir / "none.ini").string();
  const std::string picture = (dir / "out.svg").string();
  for (const auto& c : cases) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"dump", c.path},
                                                 {"diagnose", c.path, settings},
                                                 {"plot", c.path, "-o", picture, settings}}) {
      CommandRun run = RunOstrevin(args);
      EXPECT_EQ(run.status, kExitUnusable) << args[0];
      EXPECT_EQ(run.err, c.err) << args[0];
      EXPECT_EQ(run.out, "") << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(picture));
  }
}

}  // namespace
}  // namespace ostrevin
