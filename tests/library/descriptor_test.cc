// clsInfo read as a host reads it; the type information is read by `ostrevin info` and the
// chart-file tests, which take the member table from it.
#include "client/dispatch_object.h"
#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

// The constants' values and types are compared whole in the `ostrevin info` test; here, that
// they cannot be changed.
TEST(DescriptorTest, ConstantsCannotBeSet) {
  const DispatchObject info(Create<IOstDispatch>(kClsidClsInfo));
  const Variant text[] = {"x"};
  Result<Variant> set = info.Invoke(*info.IdOf("menuname"), kOstDispatchPut, text);
  EXPECT_EQ(set.error().ToString(),
            "error 438: Object doesn't support this property or method: MenuName cannot be set");
}

}  // namespace
}  // namespace ostrevin
