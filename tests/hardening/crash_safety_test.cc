// Sudden death while writing: the real ostrevin command is killed (SIGKILL) at random moments
// while it saves a chart or a setting; the file must then hold the old text or the new one,
// never a part, and whatever a killed writer left behind must not disturb the next run. Two
// commands that write different settings at the same time must both keep their key.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "addon/cls_data.h"
#include "chartfile/in_process_chart.h"
#include "platform/recording_platform.h"
#include "settings/ini_document.h"
#include "settings/settings_keys.h"
#include "tests/hardening/command_process.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;

constexpr int kKills = 120;

// How long one uninterrupted run of the command takes, at most, over three runs.
microseconds TimeOf(
    const std::vector<std::string>& args, const fs::path& dir,
    const std::function<void()>& before = [] {}) {
  microseconds longest{0};
  for (int k = 0; k < 3; ++k) {
    before();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForProcess(StartCommandProcess(args, dir)), 0);
    longest = std::max(longest, std::chrono::duration_cast<microseconds>(
                                    std::chrono::steady_clock::now() - start));
  }
  return longest;
}

// Starts the command and kills it after a random part of `span`; returns whether it had
// finished by itself.
bool RunAndKill(const std::vector<std::string>& args, const fs::path& dir, microseconds span,
                std::mt19937& random) {
  const pid_t pid = StartCommandProcess(args, dir);
  std::this_thread::sleep_for(
      microseconds(std::uniform_int_distribution<std::int64_t>(0, span.count())(random)));
  ::kill(pid, SIGKILL);
  return WaitForProcess(pid) == 0;
}

class CrashSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = HardeningScratchDir(); }
  fs::path dir;
  std::mt19937 random{20261206};
};

TEST_F(CrashSafetyTest, KilledChartSaveLeavesTheOldOrTheNewChart) {
  const fs::path chart = dir / "chart.json";
  const std::string old_text = FileText(fs::path(OSTREVIN_EXAMPLES_DIR) / "measurements.json");
  const std::vector<std::string> args = {"diagnose",   "chart.json", "--save",
                                         "--settings", "none.ini",   "--date-time=now"};
  const microseconds span = TimeOf(args, dir, [&] { Write(chart, old_text); });
  const std::string new_text = FileText(chart);
  ASSERT_NE(new_text, old_text);  // the save moves NextHAxLToDiagnose on

  int finished = 0;
  for (int k = 0; k < kKills; ++k) {
    Write(chart, old_text);
    finished += RunAndKill(args, dir, span, random);
    const std::string text = FileText(chart);
    ASSERT_TRUE(text == old_text || text == new_text) << "kill " << k << " left:\n" << text;
  }
  RecordProperty("finished_before_the_kill", finished);

  // Temporary files of killed writers lie beside the chart; the next run does not mind them.
  Write(chart, old_text);
  EXPECT_EQ(RunCommandProcess(args, dir).exit_status, 0);
  EXPECT_EQ(FileText(chart), new_text);
  RecordingPlatform platform;
  EXPECT_TRUE(ReadChartFile(chart, platform).ok());
}

TEST_F(CrashSafetyTest, KilledSettingsWriteLeavesTheOldOrTheNewFile) {
  const fs::path settings = dir / "settings.ini";
  Write(settings, "; kept as it is\n[CheckFor]\nDiagnoseForZigZag=-1\n");
  auto set = [&](int value) {
    return std::vector<std::string>{
        "settings",   "set",         "Significances", "ZigZagRepeats", std::to_string(value),
        "--settings", "settings.ini"};
  };
  const microseconds span = TimeOf(set(7), dir);

  for (int k = 0; k < kKills; ++k) {
    const std::string old_text = FileText(settings);
    IniDocument edited = IniDocument::Parse(old_text);
    edited.Set("Significances", "ZigZagRepeats", std::to_string(k));
    RunAndKill(set(k), dir, span, random);
    const std::string text = FileText(settings);
    ASSERT_TRUE(text == old_text || text == edited.ToText()) << "kill " << k << " left:\n" << text;
  }

  const ProcessRun after = RunCommandProcess(set(99), dir);
  EXPECT_EQ(after.exit_status, 0) << after.err;
  EXPECT_EQ(FileText(settings),
            "; kept as it is\n[CheckFor]\nDiagnoseForZigZag=-1\n\n[Significances]\n"
            "ZigZagRepeats=99\n");
}

TEST_F(CrashSafetyTest, ConcurrentWritersOfDifferentKeysLoseNothing) {
  std::vector<const SettingKey*> switches, numbers;
  for (const SettingKey& key : AllSettingKeys()) {
    if (key.section == "CheckFor") switches.push_back(&key);
    if (key.section == "Significances" && key.default_text != "-1") numbers.push_back(&key);
  }
  std::map<std::pair<std::string, std::string>, std::string> expected;
  for (int k = 0; k < 40; ++k) {
    const SettingKey& a = *switches[static_cast<std::size_t>(k) % switches.size()];
    const SettingKey& b = *numbers[static_cast<std::size_t>(k) % numbers.size()];
    const std::string a_value = k % 2 == 0 ? "-1" : "0", b_value = std::to_string(k + 2);
    const pid_t first =
        StartCommandProcess({"settings", "set", std::string(a.section), std::string(a.key), a_value,
                             "--settings", "settings.ini"},
                            dir);
    const pid_t second =
        StartCommandProcess({"settings", "set", std::string(b.section), std::string(b.key), b_value,
                             "--settings", "settings.ini"},
                            dir);
    ASSERT_EQ(WaitForProcess(first), 0);
    ASSERT_EQ(WaitForProcess(second), 0);
    expected[{std::string(a.section), std::string(a.key)}] = a_value;
    expected[{std::string(b.section), std::string(b.key)}] = b_value;

    const IniDocument file = IniDocument::Parse(FileText(dir / "settings.ini"));
    for (const auto& [where, value] : expected)
      ASSERT_EQ(file.Find(where.first, where.second), value)
          << "round " << k << ": " << where.second;
  }
}

}  // namespace
}  // namespace ostrevin
