// `ostrevin diagnose` on every kind of bad input, run as the real executable: the exit status,
// the whole message, and a chart file left byte for byte as it was, with --save as well.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/golden_text.h"
#include "tests/hardening/command_process.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

// Eight places of an individuals chart with its moving ranges, one split; one member a line.
const std::string kChart = TestFileText("hardening/data/eight-places.json");

// The chart with more members after the others, from line 23 on: they are put last.
std::string With(const std::string& members) {
  return kChart.substr(0, kChart.size() - 3) + ",\n" + members + "\n}\n";
}

const std::string kNow = "2026-12-06 10:00:00";
const std::string kEnd =
    "Remember: the more signals that are looked for, the greater the chance that the chart \n"
    "will appear non-random, when in fact it may just be random.\n";

enum class SettingsFile {
  kEmpty,       // an empty file: the defaults
  kMissing,     // no file
  kGarbage,     // binary bytes, NUL included
  kUnreadable,  // a symbolic link to itself: opening it fails
  kDirectory,   // the path names a folder
};

const std::string kSettingsMissing =
    "ostrevin: warning: the settings file settings.ini does not exist; the default tests and "
    "thresholds are used\n";
const std::string kSettingsUnreadable =
    "ostrevin: warning: the settings file settings.ini cannot be read as a file; the default "
    "tests and thresholds are used\n";

enum class Output {
  kDefaultReport,  // the report of kChart with the default settings
  kReportEnd,      // a whole report of something else: it ends with the closing note
  kText,           // exactly `out`: by default nothing
};

struct Case {
  std::string name;
  std::string chart;
  int status;
  std::string err;  // the whole of standard error
  Output output = Output::kText;
  std::string out = "";
  SettingsFile settings = SettingsFile::kEmpty;
  bool read_only_chart = false;
};

std::string Garbage() {
  std::string bytes;
  unsigned state = 12345;
  for (int k = 0; k < 4096; ++k) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 23);
  }
  return bytes + std::string(1, '\0') + "[CheckFor]\nDiagnoseForAllAboveUCL=0\n";
}

// Lays out the chart and the settings file of `c` in `dir`; returns the settings path.
fs::path Prepare(const Case& c, const fs::path& dir) {
  fs::create_directories(dir);
  Write(dir / "chart.json", c.chart);
  if (c.read_only_chart) fs::permissions(dir / "chart.json", fs::perms(0444));
  const fs::path settings = dir / "settings.ini";
  switch (c.settings) {
    case SettingsFile::kEmpty:
      Write(settings, "");
      break;
    case SettingsFile::kMissing:
      break;
    case SettingsFile::kGarbage:
      Write(settings, Garbage());
      break;
    case SettingsFile::kUnreadable:
      fs::create_symlink("settings.ini", settings);
      break;
    case SettingsFile::kDirectory:
      fs::create_directory(settings);
      break;
  }
  return settings;
}

std::vector<Case> Cases() {
  return {
      // The file is no chart file.
      {"not JSON", "Fill weight 502.36\n", 1,
       "ostrevin: chart.json:1:1: not valid JSON: syntax error while parsing value - invalid "
       "literal; last read: 'F'\n"},
      {"truncated", kChart.substr(0, 300), 1,
       "ostrevin: chart.json:13:27: not valid JSON: syntax error while parsing array - "
       "unexpected end of input; expected ']'\n"},
      {"NaN", With(R"("XData": [501.8, NaN])"), 1,
       "ostrevin: chart.json:23:18: not valid JSON: syntax error while parsing value - invalid "
       "literal; last read: '501.8, N'\n"},
      {"Infinity", With(R"("Mx": [Infinity])"), 1,
       "ostrevin: chart.json:23:8: not valid JSON: syntax error while parsing value - invalid "
       "literal; last read: '\"Mx\": [I'\n"},
      {"number beyond a double", With(R"("Mx": [1e400])"), 1,
       "ostrevin: error 6: chart.json:23:12: 1e400 is out of range for a number\n"},
      // Members the container refuses.
      {"unknown member", With(R"("XDatum": [1])"), 1,
       "ostrevin: chart.json:23: XDatum: unknown member\n"},
      {"wrong type", With(R"("TNVal": "7")"), 1,
       "ostrevin: error 13: chart.json:23: TNVal: needs a whole number, not a string\n"},
      {"Integer out of range", With(R"("TNVal": 40000)"), 1,
       "ostrevin: error 6: chart.json:23: TNVal: 40000 is out of range for an Integer\n"},
      {"ragged two-index array", With(R"("Ucl": [[505.86, 4.294], [505.86]])"), 1,
       "ostrevin: chart.json:23: Ucl: rows differ in length: row 1 has 2 values, row 2 has 1 "
       "value\n"},
      {"lbound not a number", With(R"("XData": {"lbound": "0", "values": [1]})"), 1,
       "ostrevin: error 13: chart.json:23: XData: needs a whole number or a pair of them, not a "
       "string\n"},
      {"lbound not whole", With(R"("XData": {"lbound": 0.5, "values": [1]})"), 1,
       "ostrevin: error 13: chart.json:23: XData: lbound: needs a whole number, not 0.5\n"},
      {"array too large", With(R"("XData": {"lbound": 32767, "values": [1, 2]})"), 1,
       "ostrevin: error 9: chart.json:23: XData: Subscript out of range: QuickXData bounds "
       "32767 to 32768 exceed 16-bit places\n"},
      {"index out of bounds", With(R"("Mx": {"101": 1})"), 1,
       "ostrevin: error 9: chart.json:23: Mx: Subscript out of range: Mx(101)\n"},
      // Members that read well but do not fit together: the diagnosis stops at the first
      // element it cannot reach.
      {"TNVal -1: no places", With(R"("TNVal": -1)"), 0, "", Output::kText,
       "Diagnostics report for Fill weight\nDate & Time: " + kNow +
           "\n\nLast diagnosis is beyond end of data,\ntherefore nothing to report.\n"},
      {"TNVal below -1", With(R"("TNVal": -5)"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: PGV(0 To -4) from TNVal -5\n"},
      {"TNVal beyond the arrays", With(R"("TNVal": 8)"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: HAxL(8)\n"},
      {"TNVal at the top of the range", With(R"("TNVal": 32767)"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: PGV(0 To 32768) from TNVal "
       "32767\n"},
      {"Splitp above 100", With(R"("Splitp": 101)"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: PointStatsblnLclVisible(8, 0)\n"},
      {"Split goes backwards", With(R"("Splitp": 3, "Split": [0, 6, 2, 8])"), 0, "",
       Output::kReportEnd},
      {"NSam beyond RData", With(R"("CType": -3, "NSam": 7)"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: RData(8)\n"},
      {"extras split on split 0", With(R"("NewXV": [-1])"), 1,
       "ostrevin: error 9: chart.json: Subscript out of range: SplitRun(-1)\n"},
      // Settings files that cannot be used mean the defaults, and a named one that cannot be
      // read says so.
      {"settings of binary garbage", kChart, 0, "", Output::kDefaultReport, "",
       SettingsFile::kGarbage},
      {"settings missing", kChart, 0, kSettingsMissing, Output::kDefaultReport, "",
       SettingsFile::kMissing},
      {"settings unreadable", kChart, 0, kSettingsUnreadable, Output::kDefaultReport, "",
       SettingsFile::kUnreadable},
      {"settings path is a folder", kChart, 0, kSettingsUnreadable, Output::kDefaultReport, "",
       SettingsFile::kDirectory},
      // A chart file the user protected is not replaced.
      {"read-only chart", kChart, 0, "", Output::kDefaultReport, "", SettingsFile::kEmpty, true},
  };
}

TEST(BadInputTest, EachClassOfBadInputIsRefusedOrSurvived) {
  const fs::path root = HardeningScratchDir();
  const fs::path reference_dir = root / "reference";
  Prepare(Case{"reference", kChart, 0, ""}, reference_dir);
  const std::vector<std::string> common = {"--settings", "settings.ini", "--date-time", kNow};
  std::vector<std::string> args = {"diagnose", "chart.json"};
  args.insert(args.end(), common.begin(), common.end());
  const ProcessRun reference = RunCommandProcess(args, reference_dir);
  ASSERT_EQ(reference.exit_status, 0) << reference.err;

  int n = 0;
  for (const Case& c : Cases()) {
    for (const bool save : {false, true}) {
      SCOPED_TRACE(c.name + (save ? " --save" : ""));
      const fs::path dir = root / std::to_string(n++);
      const fs::path settings = Prepare(c, dir);
      const std::string settings_before =
          c.settings == SettingsFile::kGarbage ? FileText(settings) : "";
      std::vector<std::string> run_args = args;
      if (save) run_args.push_back("--save");
      const ProcessRun run = RunCommandProcess(run_args, dir);

      ASSERT_FALSE(run.timed_out);
      ASSERT_EQ(run.signal, 0) << run.err;
      // A read-only chart fails only when it is to be saved.
      const bool save_refused = c.read_only_chart && save;
      EXPECT_EQ(run.exit_status, save_refused ? 1 : c.status);
      EXPECT_EQ(run.err,
                save_refused ? "ostrevin: chart.json: cannot write: Permission denied\n" : c.err);
      switch (c.output) {
        case Output::kDefaultReport:
          EXPECT_EQ(run.out, reference.out);
          break;
        case Output::kReportEnd:
          EXPECT_TRUE(run.out.ends_with(kEnd)) << run.out;
          break;
        case Output::kText:
          EXPECT_EQ(run.out, c.out);
          break;
      }
      if (run.exit_status != 0 || !save) {
        EXPECT_EQ(FileText(dir / "chart.json"), c.chart);
      }
      if (c.settings == SettingsFile::kGarbage) {
        EXPECT_EQ(FileText(settings), settings_before);
      }
    }
  }
}

}  // namespace
}  // namespace ostrevin
