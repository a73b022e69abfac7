#ifndef OSTREVIN_TESTS_HOST_TEST_SUPPORT_H_
#define OSTREVIN_TESTS_HOST_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chartfile/chart_file.h"
#include "client/chart_object.h"
#include "client/component_loader.h"
#include "host/command.h"
#include "tests/scoped_env.h"

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

// A test working in a scratch folder that holds none.ini, an empty settings file (the defaults).
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ScratchDir();
    std::ofstream{dir / "none.ini"};
  }
  // Writes `text` to the file `name` in the folder and names it.
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }

  std::filesystem::path dir;
};

// Copies the example chart `name`.json into `dir`, over an earlier copy, and names the copy.
inline std::string CopyExample(const std::filesystem::path& dir, const std::string& name) {
  std::filesystem::copy_file(ExamplesDir() / (name + ".json"), dir / (name + ".json"),
                             std::filesystem::copy_options::overwrite_existing);
  return (dir / (name + ".json")).string();
}

// The add-on library under test: $OSTREVIN_LIBRARY, which the tests' CMake sets.
inline std::filesystem::path LibraryUnderTest() {
  const char* library = std::getenv("OSTREVIN_LIBRARY");
  return library != nullptr ? library : "";
}

// A fresh chart data container from the library under test.
inline ChartObject NewChart() {
  Result<ComponentLibrary> library = ComponentLibrary::Open(LibraryUnderTest());
  if (!library) throw library.error();
  Result<ComPtr<IOstDispatch>> object = library->Create<IOstDispatch>(kClsidClsData);
  if (!object) throw object.error();
  return ChartObject::Create(*object).ValueOrThrow();
}

// A container read from a chart file; the test fails when it cannot be read.
inline ChartObject ReadChart(const std::filesystem::path& path) {
  ChartObject chart = NewChart();
  Status read = ReadChartFile(path, chart);
  EXPECT_TRUE(read.ok()) << read.error().ToString();
  return chart;
}

inline const ChartAccess::Member& MemberNamed(const ChartAccess& chart, std::string_view name) {
  return *chart.Find(name).value().member;
}

// A scalar (no indexes) or an element of a container, by name.
inline Variant Get(const ChartAccess& chart, std::string_view name,
                   std::vector<std::int32_t> indexes = {}) {
  const ChartAccess::Member& member = MemberNamed(chart, name);
  return (indexes.empty() ? chart.GetScalar(member) : chart.GetElement(member, indexes))
      .ValueOrThrow();
}
inline void Set(ChartAccess& chart, std::string_view name, std::vector<std::int32_t> indexes,
                const Variant& value) {
  const ChartAccess::Member& member = MemberNamed(chart, name);
  (indexes.empty() ? chart.PutScalar(member, value) : chart.PutElement(member, indexes, value))
      .ValueOrThrow();
}

// Every chart member holds the same value in both containers.
inline void ExpectSameContainer(const ChartAccess& expected, const ChartAccess& actual) {
  ASSERT_EQ(expected.members().size(), actual.members().size());
  for (std::size_t i = 0; i < expected.members().size(); ++i) {
    const ChartAccess::Member& m = expected.members()[i];
    if (m.kind == ChartAccess::Member::Kind::kScalar) {
      EXPECT_TRUE(*expected.GetScalar(m) == *actual.GetScalar(actual.members()[i])) << m.name;
    } else {
      EXPECT_TRUE(*expected.GetArray(m) == *actual.GetArray(actual.members()[i])) << m.name;
    }
  }
}

struct CommandRun {
  int status;
  std::string out;
  std::string err;
};

// Runs `ostrevin ARGS...` in this process, with `input` as its standard input.
inline CommandRun RunOstrevin(std::vector<std::string> args, const std::string& input = "") {
  std::ostringstream out, err;
  std::istringstream in(input);
  int status = RunCommand(args, out, err, in);
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
