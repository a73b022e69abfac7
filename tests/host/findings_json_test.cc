// `ostrevin diagnose --format json` from end to end: whole documents on the example charts; it
// carries on with --save like the text; and wrong options are usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

class FindingsJsonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ScratchDir();
    std::ofstream{dir / "none.ini"};  // an empty settings file: the defaults
  }
  std::string Chart(const std::string& name) { return CopyExample(dir, name); }
  CommandRun Diagnose(const std::string& chart, const std::string& settings,
                      std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"diagnose", chart, "--settings", settings, "--date-time", "T"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunOstrevin(args);
  }

  fs::path dir;
};

// Every example, with the default tests and the patterns chart with all of them: the whole
// document, which says finding by finding what the text report of the same name says.
TEST_F(FindingsJsonTest, ExampleChartsGiveTheExpectedDocuments) {
  const std::string defaults = (dir / "none.ini").string();
  const std::string all = (ExamplesDir() / "all-tests.ini").string();
  struct Case {
    std::string chart;
    std::string settings;
    std::string golden;
  };
  const Case cases[] = {{"measurements", defaults, "measurements"},
                        {"subgroups", defaults, "subgroups"},
                        {"varying-limits", defaults, "varying-limits"},
                        {"patterns", defaults, "patterns"},
                        {"patterns", all, "patterns-all-tests"}};
  for (const Case& c : cases) {
    const CommandRun json = Diagnose(Chart(c.chart), c.settings, {"--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.err, "");
    EXPECT_EQ(json.out, FileText(fs::path(OSTREVIN_GOLDEN_DIR) / (c.golden + ".json"))) << c.golden;
  }
}

TEST_F(FindingsJsonTest, FormatOptionsAreChecked) {
  const std::string chart = Chart("measurements");
  const std::string usage_line =
      "usage: ostrevin diagnose CHART.json [--format text|json|csv] [--from-start] [--settings "
      "FILE]\n";
  struct Case {
    std::vector<std::string> extra;
    std::string message;
  };
  const Case cases[] = {
      {{"--format", "xml"}, "unknown format \"xml\" (text, json or csv)"},
      {{"--format=json", "--crlf"}, "--crlf applies to the text report only"},
      {{"--format=csv", "--crlf"}, "--crlf applies to the text report only"},
      {{"--format"}, "option --format needs a value"},
  };
  for (const Case& c : cases) {
    const CommandRun run = Diagnose(chart, "none.ini", c.extra);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, run.err.find("  ")),
              "ostrevin diagnose: " + c.message + "\n" + usage_line);
  }
  EXPECT_EQ(Diagnose(chart, "none.ini", {"--format", "text"}).out, Diagnose(chart, "none.ini").out);
}

}  // namespace
}  // namespace ostrevin
