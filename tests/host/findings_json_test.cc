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

}  // namespace
}  // namespace ostrevin
