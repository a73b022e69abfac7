// `ostrevin diagnose` from end to end: whole reports on the example charts (checked line by line
// against the rules of the report), carrying on with --save, and failures that leave the chart
// file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "chartfile/chart_file.h"
#include "host/findings_table.h"
#include "tests/host/test_support.h"
#include "tests/scoped_env.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

const std::string kNow = "2026-12-06 10:00:00";

class DiagnoseCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ScratchDir();
    settings = (dir / "settings.ini").string();
    std::ofstream{settings};  // an empty settings file: the defaults
  }
  // Copies an example chart into the scratch folder.
  std::string Chart(const std::string& name) { return CopyExample(dir, name); }
  CommandRun Diagnose(const std::string& chart, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"diagnose", chart,         "--settings",
                                     settings,   "--date-time", kNow};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunOstrevin(args);
  }

  fs::path dir;
  std::string settings;
};

TEST_F(DiagnoseCommandTest, ExampleChartsGiveTheExpectedReports) {
  for (const std::string name : {"measurements", "subgroups", "varying-limits"}) {
    const std::string chart = Chart(name);
    const std::string before = FileText(chart);
    CommandRun run = Diagnose(chart);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / (name + ".txt"))) << name;
    EXPECT_EQ(FileText(chart), before) << "without --save the chart stays as it was";
  }
}

// The patterns chart holds a finding for every test; with the default settings only the five
// tests that are on by default report, and a diagnosis leaves the settings file as it was.
TEST_F(DiagnoseCommandTest, PatternsChartWithDefaultAndAllTests) {
  const std::string chart = Chart("patterns");
  const fs::path all_tests = dir / "all-tests.ini";
  fs::copy_file(ExamplesDir() / "all-tests.ini", all_tests);
  const std::string all_tests_text = FileText(all_tests);
  struct Case {
    std::string settings;
    std::string golden;
  };
  for (const Case& c :
       {Case{settings, "patterns"}, Case{all_tests.string(), "patterns-all-tests"}}) {
    settings = c.settings;
    CommandRun run = Diagnose(chart);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / (c.golden + ".txt"))) << c.golden;
  }
  EXPECT_EQ(FileText(all_tests), all_tests_text);
}

TEST_F(DiagnoseCommandTest, SaveCarriesOnAndFromStartBeginsAgain) {
  const std::string chart = Chart("measurements");
  const std::string first = Diagnose(chart, {"--save"}).out;
  EXPECT_NE(first.find("\nEnd of Data Reached\n"), std::string::npos);

  CommandRun second = Diagnose(chart, {"--save"});
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "measurements-at-end.txt"));

  const ChartObject saved = ReadChart(chart);
  EXPECT_EQ(Get(saved, "NextHAxLToDiagnose"), Variant(std::int16_t{40}));
  EXPECT_EQ(Get(saved, "blnReadOnly"), Variant(true));  // the second run did not move the start

  // Diagnosing again from the start ends where the last run did: the next start did not move.
  EXPECT_EQ(Diagnose(chart, {"--from-start", "--save"}).out, first);
  EXPECT_EQ(Get(ReadChart(chart), "blnReadOnly"), Variant(true));
}

// A script's view: one CSV row per finding line of the report, and status 3 while there is a
// finding; the chart is saved either way, so the next run reports only what is new.
TEST_F(DiagnoseCommandTest, CsvRowsAndFailOnSignal) {
  const std::string chart = Chart("patterns");
  settings = (ExamplesDir() / "all-tests.ini").string();
  CommandRun csv = Diagnose(chart, {"--format", "csv", "--fail-on-signal", "--save"});
  EXPECT_EQ(csv.status, 3) << csv.err;
  EXPECT_EQ(csv.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "patterns-all-tests.csv"));
  CommandRun again = Diagnose(chart, {"--fail-on-signal"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_NE(again.out.find("therefore nothing to report"), std::string::npos);
  EXPECT_EQ(Diagnose(chart, {"--format", "csv"}).out, csv.out.substr(0, csv.out.find('\n') + 1));
  EXPECT_EQ(Diagnose(chart, {"--from-start", "--fail-on-signal"}).status, 3);

  FindingRow quoted{1, 2, "DiagnoseForZigZag", 3, "a,\"b\"", 4, "c\nd", 5, ""};
  EXPECT_EQ(FindingsCsv({quoted}).substr(75),
            "1,2,DiagnoseForZigZag,3,\"a,\"\"b\"\"\",4,\"c\nd\",5,\r\n");
}

TEST_F(DiagnoseCommandTest, CrLfKeepsTheReportsLineBreaks) {
  const std::string chart = Chart("varying-limits");
  const std::string out = Diagnose(chart, {"--crlf"}).out;
  EXPECT_EQ(Diagnose(chart, {"--format", "text", "--crlf"}).out, out);
  EXPECT_EQ(out.substr(0, 31), "Diagnostics report for Faulty w");
  EXPECT_NE(out.find("Faulty welds\r\nStarting at"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
  // The last of an option given twice counts, and its value may hold a "=".
  EXPECT_NE(Diagnose(chart, {"--date-time=a=b"}).out.find("\nDate & Time: a=b\n"), out.npos);
}

// The host's handshake in a chart file: its version is taken, and one older than the add-on
// wants is advised on standard error, by diagnose and dump alike; a dump does not write it back.
TEST_F(DiagnoseCommandTest, HostVersionInTheChartIsTakenAndAnOldOneAdvised) {
  const std::string chart = Chart("measurements");
  const std::string text = FileText(chart);
  const std::string advice =
      "ostrevin: note: You need quorva version 0003.0006.0120 or later for best results.\n";
  for (const auto& [version, err] :
       {std::pair<std::string, std::string>{"0003.0005.0999", advice}, {"0003.0006.0120", ""}}) {
    std::ofstream(chart, std::ios::binary)
        << "{\"QuorvaVersion\": \"" + version + "\"," + text.substr(1);
    CommandRun run = Diagnose(chart);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / "measurements.txt"));
    CommandRun dump = RunOstrevin({"dump", chart});
    EXPECT_EQ(dump.err, err);
    fs::create_directories(dir / "plain");
    EXPECT_EQ(dump.out, RunOstrevin({"dump", CopyExample(dir / "plain", "measurements")}).out);
  }
}

TEST_F(DiagnoseCommandTest, AnErrorInTheDiagnosisLeavesTheChartAlone) {
  const std::string chart = Chart("subgroups");
  ChartObject data = ReadChart(chart);
  Set(data, "NSam", {}, std::int16_t{700});  // beyond the arrays: the range line names place 700
  ASSERT_TRUE(WriteChartFileAtomically(chart, data).ok());
  const std::string before = FileText(chart);

  CommandRun run = Diagnose(chart, {"--save"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "ostrevin: error 9: " + chart + ": Subscript out of range: HAxL(700)\n");
  EXPECT_EQ(FileText(chart), before);
}

TEST(SettingsCommandTest, SetGetListAndReset) {
  const std::string file = (ScratchDir() / "settings.ini").string();
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "settings");
    args.push_back("--settings=" + file);
    return RunOstrevin(args);
  };
  EXPECT_EQ(run({"get", "Significances", "ZigZagRepeats"}).out, "7\n");
  EXPECT_EQ(run({"set", "significances", "zigzagrepeats", "9"}).status, 0);
  EXPECT_EQ(run({"set", "CheckFor", "DiagnoseForZigZag", "-1"}).status, 0);
  EXPECT_EQ(run({"get", "Significances", "ZigZagRepeats"}).out, "9\n");
  EXPECT_NE(run({"list"}).out.find("\nDiagnoseForZigZag=-1\n"), std::string::npos);
  EXPECT_EQ(FileText(file),
            "[Significances]\nZigZagRepeats=9\n\n[CheckFor]\nDiagnoseForZigZag=-1\n");
  EXPECT_EQ(run({"reset"}).status, 0);
  EXPECT_EQ(run({"get", "CheckFor", "DiagnoseForZigZag"}).out, "0\n");

  // What set takes: the words of a switch, whole numbers a test can use; the rest is refused
  // with what the setting takes, and the stored value stays.
  const std::string takes_switch =
      " takes on or off (also true or false, yes or no, -1 or 1 or 0), not ";
  struct Case {
    std::string section, key, value, stored_or_message;
  };
  const Case cases[] = {
      {"CheckFor", "DiagnoseForZigZag", "ON", "-1"},
      {"CheckFor", "DiagnoseForZigZag", "no", "0"},
      {"CheckFor", "DiagnoseForZigZag", "", "DiagnoseForZigZag" + takes_switch + "\"\""},
      {"CheckFor", "DiagnoseForZigZag", "2", "DiagnoseForZigZag" + takes_switch + "\"2\""},
      {"Significances", "ZigZagFrom1SD", "off", "0"},
      {"Significances", "AllAboveBelowMean", "32767", "32767"},
      {"Significances", "AllAboveBelowMean", "0",
       "AllAboveBelowMean takes a whole number from 1 to 32767, not \"0\""},
      {"Significances", "AllWithin1SD", "7.5",
       "AllWithin1SD takes a whole number from 1 to 32767, not \"7.5\""},
      {"Significances", "AllIncreasingOrDecreasing", "1",
       "AllIncreasingOrDecreasing takes a whole number from 2 to 32767, not \"1\""},
      {"Significances", "ZigZagRepeats", "16384",
       "ZigZagRepeats takes a whole number from 1 to 16383, not \"16384\""},
  };
  for (const Case& c : cases) {
    const std::string before = run({"get", c.section, c.key}).out;
    const CommandRun set = run({"set", c.section, c.key, c.value});
    const std::string now = run({"get", c.section, c.key}).out;
    if (set.status == 0) {
      EXPECT_EQ(now, c.stored_or_message + "\n") << c.key << " " << c.value;
    } else {
      EXPECT_EQ(set.status, 2);
      EXPECT_EQ(set.err.substr(0, set.err.find('\n')), "ostrevin settings: " + c.stored_or_message);
      EXPECT_EQ(now, before);
    }
  }
  EXPECT_EQ(run({"get", "CheckFor", "NoSuchTest"}).status, 2);
}

// A settings file that was named but cannot be read is warned about once; the user's own file
// not yet written is not; `settings path` tells which file is used.
TEST(SettingsCommandTest, NamedSettingsFileThatIsNotThereIsWarnedAbout) {
  const fs::path dir = ScratchDir();
  ScopedEnv config("XDG_CONFIG_HOME", dir.string());
  ScopedEnv named("OSTREVIN_SETTINGS", std::nullopt);
  const std::string chart = CopyExample(dir, "measurements");
  const std::string own = (dir / "Ostrevin" / "settings.ini").string();
  EXPECT_EQ(RunOstrevin({"diagnose", chart}).err, "");
  EXPECT_EQ(RunOstrevin({"settings", "path"}).out, own + " (not there yet: the defaults apply)\n");
  const std::string missing = (dir / "mistyped.ini").string();
  const std::string warning = "ostrevin: warning: the settings file " + missing +
                              " does not exist; the default tests and thresholds are used\n";
  EXPECT_EQ(RunOstrevin({"diagnose", chart, "--settings", missing}).err, warning);
  EXPECT_EQ(RunOstrevin({"false-alarms", "--runs", "2", "--settings", missing}).err, warning);
  ScopedEnv variable("OSTREVIN_SETTINGS", missing);
  EXPECT_EQ(RunOstrevin({"diagnose", chart}).err, warning);  // plot reads the settings alike
  EXPECT_EQ(RunOstrevin({"settings", "path", "--settings", dir.string()}).out,
            dir.string() + " (cannot be read: the defaults apply)\n");
  EXPECT_EQ(RunOstrevin({"settings", "set", "CheckFor", "DiagnoseForZigZag", "on"}).status, 0);
  EXPECT_EQ(RunOstrevin({"settings", "path"}).out, missing + "\n");
}

}  // namespace
}  // namespace ostrevin
