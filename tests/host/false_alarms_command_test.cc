// `ostrevin false-alarms` from end to end, through the library's IOstFalseAlarms.
#include <gtest/gtest.h>

#include "abi/abi_values.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

class FalseAlarmsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = (ScratchDir() / "settings.ini").string();
    // The two control-limit tests alone on the measurements graph.
    std::ofstream(settings) << "[CheckFor]\nDiagnoseForAllAboveBelowMean=0\n";
  }
  CommandRun Estimate(std::vector<std::string> options) {
    std::vector<std::string> args = {"false-alarms", "--settings", settings};
    args.insert(args.end(), options.begin(), options.end());
    return RunOstrevin(args);
  }
  std::string settings;
};

// The estimates themselves are checked against 1/0.0027 in the analysis tests; here, the table
// lists the switched-on tests, and the same seed gives the same table whatever the option order.
TEST_F(FalseAlarmsCommandTest, TableListsTheSwitchedOnTestsAndFollowsTheSeed) {
  const CommandRun run = Estimate({"--runs", "200", "--points", "50", "--seed", "9"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "") << "a quick run shows no progress";
  std::istringstream in(run.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find("  ")));
  ASSERT_EQ(lines.size(), 5u) << run.out;  // the switched-off run test is absent
  EXPECT_EQ(lines[0], "False alarms on 200 stable charts of 50 points (seed 9)");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
            (std::vector<std::string>{"DiagnoseForAllAboveUCL", "DiagnoseForAllBelowLCL",
                                      "All of them together"}));
  EXPECT_EQ(Estimate({"--seed", "9", "--points", "50", "--runs", "200"}).out, run.out);
  EXPECT_NE(Estimate({"--runs", "200", "--points", "50", "--seed", "10"}).out, run.out);
  EXPECT_EQ(Estimate({"--runs", "1", "--points", "32767"}).status, 0) << "the longest chart";
}

// One table per shift, in the order given; a shift of 0 is the false-alarm table itself.
TEST_F(FalseAlarmsCommandTest, ShiftsAndTrendGiveOneTableEach) {
  const std::vector<std::string> quick = {"--runs", "50", "--points", "20"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), quick.begin(), quick.end());
    const CommandRun run = Estimate(more);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  };
  const std::string stable = with({}), shifted = with({"--shift", "1.5"});
  EXPECT_EQ(with({"--shift", "0,1.5"}), stable + "\n" + shifted);
  EXPECT_EQ(shifted.substr(0, shifted.find('\n')),
            "Signals on 50 charts of 20 points whose mean shifts by 1.5 SD at the first point "
            "(seed 1)");
  const std::string both = with({"--shift", "-1", "--trend", "0.25"});
  EXPECT_EQ(both.substr(0, both.find('\n')),
            "Signals on 50 charts of 20 points whose mean shifts by -1 SD at the first point and "
            "then moves by 0.25 SD per point (seed 1)");
}

// The interface itself, as another host would call it.
TEST(FalseAlarmsInterfaceTest, ReportsProgressAndFailsWithStatusAndError) {
  ComponentLibrary library = ComponentLibrary::Open(LibraryUnderTest()).ValueOrThrow();
  ComPtr<IOstClsInfo> info = library.Create<IOstClsInfo>(kClsidClsInfo).ValueOrThrow();
  ComPtr<IOstFalseAlarms> estimator = info.As<IOstFalseAlarms>();
  ASSERT_TRUE(estimator);
  EXPECT_EQ(estimator.As<IOstUnknown>().get(), info.As<IOstUnknown>().get()) << "one object";

  std::vector<std::int32_t> done;
  const auto record = [](void* context, std::int32_t d, std::int32_t total) {
    if (total == 30) static_cast<std::vector<std::int32_t>*>(context)->push_back(d);
  };
  OwnedOstString table;
  OwnedOstErrorInfo error;
  ASSERT_EQ(
      estimator->EstimateFalseAlarms(nullptr, 20, 30, 1, record, &done, table.get(), error.get()),
      kOstOk);
  EXPECT_TRUE(table.str().starts_with("False alarms on 30 stable charts of 20 points (seed 1)\n"));
  EXPECT_EQ(done.size(), 30u);
  EXPECT_EQ(done.back(), 30);

  OwnedOstString none;
  EXPECT_EQ(estimator->EstimateFalseAlarms("", 0, 30, 1, nullptr, nullptr, none.get(), error.get()),
            kOstException);
  EXPECT_EQ(error.ToError().message(), "a false-alarm estimate needs 1 or more points and runs");
  EXPECT_EQ(none.get()->data, nullptr);
  EXPECT_EQ(estimator->EstimateFalseAlarms("", 5, 5, 1, nullptr, nullptr, nullptr, nullptr),
            kOstPointer);
}

}  // namespace
}  // namespace ostrevin
