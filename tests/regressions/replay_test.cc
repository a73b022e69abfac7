// Replays every input kept in tests/regressions/FUZZER/ through that fuzzer's harness, one test
// per file: a harness aborts when the code under test breaks a promise, and the sanitizer build
// catches memory errors and undefined behaviour on the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/harnesses.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

struct Replay {
  std::string fuzzer;
  fs::path file;
};

// Names the input in test names and messages, not its bytes.
void PrintTo(const Replay& replay, std::ostream* out) {
  *out << replay.fuzzer << "/" << replay.file.filename().string();
}

std::vector<Replay> KeptInputs() {
  std::vector<Replay> inputs;
  for (const char* fuzzer : {"chart_file_fuzz", "diagnosis_fuzz", "settings_file_fuzz"}) {
    const fs::path dir = fs::path(OSTREVIN_REGRESSIONS_DIR) / fuzzer;
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
      inputs.push_back({fuzzer, entry.path()});
  }
  return inputs;
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ReplayTest : public ::testing::TestWithParam<Replay> {};

TEST_P(ReplayTest, HarnessKeepsItsPromises) {
  const std::string input = Contents(GetParam().file);
  if (GetParam().fuzzer == "chart_file_fuzz") FuzzChartFile(input);
  if (GetParam().fuzzer == "diagnosis_fuzz") FuzzDiagnosis(input);
  if (GetParam().fuzzer == "settings_file_fuzz") FuzzSettingsFile(input);
}

std::string TestName(const ::testing::TestParamInfo<Replay>& info) {
  std::string name = info.param.fuzzer + "_" + info.param.file.filename().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Kept, ReplayTest, ::testing::ValuesIn(KeptInputs()), TestName);

}  // namespace
}  // namespace ostrevin
