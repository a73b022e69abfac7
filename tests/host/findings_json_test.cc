// `ostrevin diagnose --format json` from end to end: on every example chart the JSON says what
// the text report says, finding by finding; it carries on with --save like the text; and wrong
// options are usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/engine/report_outline.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

class FindingsJsonTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = ScratchDir(); }
  std::string Chart(const std::string& name) { return CopyExample(dir, name); }
  CommandRun Diagnose(const std::string& chart, const std::string& settings,
                      std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"diagnose", chart, "--settings", settings, "--date-time", "T"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunOstrevin(args);
  }

  fs::path dir;
};

// Every example, with the default tests and with all of them: the same outline from both, and
// the number of findings each chart is known to hold.
TEST_F(FindingsJsonTest, ExampleChartsSayTheSameInTextAndJson) {
  const std::string defaults = (dir / "none.ini").string();
  const std::string all = (ExamplesDir() / "all-tests.ini").string();
  struct Case {
    std::string chart;
    std::string settings;
    std::size_t findings;
  };
  const Case cases[] = {{"measurements", defaults, 4},   {"subgroups", defaults, 3},
                        {"varying-limits", defaults, 2}, {"patterns", defaults, 9},
                        {"patterns", all, 17},           {"measurements", all, 7}};
  for (const Case& c : cases) {
    const std::string chart = Chart(c.chart);
    const CommandRun text = Diagnose(chart, c.settings);
    const CommandRun json = Diagnose(chart, c.settings, {"--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.err, "");
    const std::vector<std::string> outline = outline::FromJson(json.out);
    EXPECT_EQ(outline, outline::FromText(text.out)) << c.chart;
    EXPECT_EQ(outline::FindingCount(outline), c.findings) << c.chart << " " << c.settings;
    EXPECT_EQ(json.out.back(), '\n');
  }
}

// The findings themselves are compared with the text above; the split an extras split takes its
// limits from is in the JSON only.
TEST_F(FindingsJsonTest, ExtrasSplitNamesTheSplitOfItsLimits) {
  const std::string all = (ExamplesDir() / "all-tests.ini").string();
  const Json doc = Json::parse(Diagnose(Chart("patterns"), all, {"--format", "json"}).out);
  const Json& extras = doc.at("graphs").at(0).at("splits").at(3);
  EXPECT_EQ(extras.at("kind"), "Extra Values (control limits fixed)");
  EXPECT_EQ(extras.at("limit_split"), 2);
}

TEST_F(FindingsJsonTest, SaveCarriesOnAsWithTheText) {
  const std::string chart = Chart("measurements");
  const std::string settings = (dir / "none.ini").string();
  const Json first = Json::parse(Diagnose(chart, settings, {"--format", "json", "--save"}).out);
  EXPECT_EQ(first.at("outcome"), "diagnosed");
  EXPECT_EQ(first.at("end_of_data"), true);
  const CommandRun second = Diagnose(chart, settings, {"--format", "json", "--save"});
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(Json::parse(second.out).at("outcome"), "past_end");  // its shape: engine tests
  EXPECT_EQ(Get(ReadChart(chart), "NextHAxLToDiagnose"), Variant(std::int16_t{40}));
  EXPECT_EQ(Json::parse(Diagnose(chart, settings, {"--format", "json", "--from-start"}).out),
            first);
}

TEST_F(FindingsJsonTest, FormatOptionsAreChecked) {
  const std::string chart = Chart("measurements");
  const std::string usage_line =
      "usage: ostrevin diagnose CHART.json [--format text|json] [--from-start] [--settings FILE]\n";
  struct Case {
    std::vector<std::string> extra;
    std::string message;
  };
  const Case cases[] = {
      {{"--format", "xml"}, "unknown format \"xml\" (text or json)"},
      {{"--format=json", "--crlf"}, "--crlf applies to the text report only"},
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
