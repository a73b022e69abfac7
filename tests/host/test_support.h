#ifndef OSTREVIN_TESTS_HOST_TEST_SUPPORT_H_
#define OSTREVIN_TESTS_HOST_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "addon/cls_data.h"
#include "addon/members.h"
#include "host/command.h"

namespace ostrevin {

inline std::filesystem::path ExamplesDir() {
  return OSTREVIN_EXAMPLES_DIR;
}

// A fresh, empty folder for one test.
inline std::filesystem::path ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "ostrevin_host_test" /
                              (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// Every member of the table holds the same value in both containers.
inline void ExpectSameContainer(const clsData& expected, const clsData& actual) {
  for (std::size_t i = 0; i < AllMembers().size(); ++i) {
    const auto id = static_cast<MemberId>(i);
    if (Info(id).kind == MemberKind::kScalar) {
      EXPECT_TRUE(expected.GetScalar(id) == actual.GetScalar(id)) << Info(id).name;
    } else {
      EXPECT_TRUE(expected.Array(id) == actual.Array(id)) << Info(id).name;
    }
  }
}

struct CommandRun {
  int status;
  std::string out;
  std::string err;
};

// Runs `ostrevin ARGS...` in this process.
inline CommandRun RunOstrevin(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunCommand(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_HOST_TEST_SUPPORT_H_
