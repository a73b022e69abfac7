#ifndef OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_
#define OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_

// The test process is a host: it loads the library named by OSTREVIN_LIBRARY (set by CMake) and
// creates objects as any host does. NewChart, ScratchDir and FileText come from the host tests.

#include "abi/abi_values.h"
#include "tests/host/test_support.h"

namespace ostrevin {

inline const ComponentLibrary& Library() {
  static const ComponentLibrary library = ComponentLibrary::Open(LibraryUnderTest()).ValueOrThrow();
  return library;
}

template <class T>
ComPtr<T> Create(const OstGuid& clsid) {
  return Library().Create<T>(clsid).ValueOrThrow();
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

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_LIBRARY_LIBRARY_TEST_SUPPORT_H_
