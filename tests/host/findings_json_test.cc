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
  std::string Chart(const std::string& name) {
    fs::copy_file(ExamplesDir() / (name + ".json"), dir / (name + ".json"),
                  fs::copy_options::overwrite_existing);
    return (dir / (name + ".json")).string();
  }
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

// What the patterns chart is made to show, read as data: the zigzag of the extras split.
TEST_F(FindingsJsonTest, FindingsCarryTheirTestPlacesAndSides) {
  const std::string all = (ExamplesDir() / "all-tests.ini").string();
  const Json doc = Json::parse(Diagnose(Chart("patterns"), all, {"--format", "json"}).out);
  const Json& extras = doc.at("graphs").at(0).at("splits").at(3);
  EXPECT_EQ(extras.at("kind"), "Extra Values (control limits fixed)");
  EXPECT_EQ(extras.at("limit_split"), 2);
  EXPECT_EQ(extras.at("findings").at(1), Json::parse(R"({"test": "DiagnoseForZigZag",
      "first": {"place": 86, "label": "2024-08-28"}, "last": {"place": 101, "label": "2024-09-12"},
      "count": 16})"));
  const Json& ranges = doc.at("graphs").at(1).at("splits").at(3).at("findings");
  EXPECT_EQ(ranges.at(0).at("side"), "below");
  EXPECT_EQ(ranges.at(0).at("test"), "DiagnoseForAllAboveBelowMeanMR");
  EXPECT_EQ(doc.at("graphs").at(1).at("splits").at(0).at("summary"),
            Json::parse(R"({"lcl": null, "centre": 2.029, "ucl": 6.629})"));
}

TEST_F(FindingsJsonTest, SaveCarriesOnAsWithTheText) {
  const std::string chart = Chart("measurements");
  const std::string settings = (dir / "none.ini").string();
  const Json first = Json::parse(Diagnose(chart, settings, {"--format", "json", "--save"}).out);
  EXPECT_EQ(first.at("outcome"), "diagnosed");
  EXPECT_EQ(first.at("end_of_data"), true);
  const CommandRun second = Diagnose(chart, settings, {"--format", "json", "--save"});
  EXPECT_EQ(second.status, 0);
  const Json past = Json::parse(second.out);
  EXPECT_EQ(past.at("outcome"), "past_end");
  EXPECT_EQ(past.at("past_end"), Json::parse(R"({"last_finished":
      {"place": 39, "label": "2024-04-12"}, "beyond_end_of_data": false})"));
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
