#ifndef OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_
#define OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_

// The test process is a host: it loads the library named by OSTREVIN_LIBRARY (set by CMake) and
// creates objects as any host does.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "addon/abi/abi_values.h"
#include "host/chart_object.h"
#include "host/component_loader.h"

namespace ostrevin {

inline const ComponentLibrary& Library() {
  static const ComponentLibrary library = [] {
    const char* path = std::getenv("OSTREVIN_LIBRARY");
    return ComponentLibrary::Open(path != nullptr ? path : "").ValueOrThrow();
  }();
  return library;
}

template <class T>
ComPtr<T> Create(const OstGuid& clsid) {
  return Library().Create<T>(clsid).ValueOrThrow();
}

inline ChartObject NewChart() {
  return ChartObject::Create(Create<IOstDispatch>(kClsidClsData)).ValueOrThrow();
}

// A value on the boundary, released when done.
class AbiValue {
 public:
  explicit AbiValue(const Variant& value) : v_(NewOstVariant(value)) {}
  explicit AbiValue(OstVariant raw) : v_(raw) {}
  ~AbiValue() { OstVariantClear(&v_); }
  AbiValue(const AbiValue&) = delete;
  AbiValue& operator=(const AbiValue&) = delete;
  const OstVariant* get() const { return &v_; }

 private:
  OstVariant v_;
};

// A fresh, empty folder for one test.
inline std::filesystem::path ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "ostrevin_library_test" /
                              (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_
