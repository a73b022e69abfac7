// The typed side of the dual interface _clsData, as a C++ host calls it.
#include "client/dispatch_object.h"
#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

TEST(TypedInterfaceTest, AccessorsReachTheSameContainerAsTheDispatch) {
  ComPtr<IOstClsData> data = Create<IOstClsData>(kClsidClsData);
  const DispatchObject by_name(data.As<IOstDispatch>());
  ASSERT_EQ(data->put_CType(-3), kOstOk);
  EXPECT_EQ(*by_name.GetByName("CType"), Variant(std::int16_t{-3}));

  const OstString label{const_cast<char*>("Mon"), 3};
  ASSERT_EQ(data->put_HAxL(7, &label), kOstOk);
  OwnedOstString read;
  ASSERT_EQ(data->get_HAxL(7, read.get()), kOstOk);
  EXPECT_EQ(read.str(), "Mon");

  OstBool visible = kOstBoolTrue;
  ASSERT_EQ(data->get_PointStatsblnUclVisible(0, 1, &visible), kOstOk);
  EXPECT_EQ(visible, kOstBoolFalse);

  // XData(5001) lies beyond the initial bounds until a larger whole array is put.
  float value = 0;
  EXPECT_EQ(data->get_XData(5001, &value), kOstException);
  OwnedOstErrorInfo error;
  ASSERT_EQ(data->GetLastErrorInfo(error.get()), kOstOk);
  EXPECT_EQ(error.ToError().ToString(), "error 9: Subscript out of range: XData(5001)");
  VArray larger(VarType::Single, {{0, 6000}});
  ASSERT_TRUE(larger.Put(5001, 2.5f).ok());
  const AbiValue whole{Variant(larger)};
  ASSERT_EQ(data->put_QuickXData(whole.get()), kOstOk);
  ASSERT_EQ(data->get_XData(5001, &value), kOstOk);
  EXPECT_EQ(value, 2.5f);

  // A put outside the bounds, and a string the library cannot read, fail as the dispatch does.
  EXPECT_EQ(data->put_XData(-1, 1.0f), kOstException);
  OwnedOstErrorInfo outside, unreadable;
  ASSERT_EQ(data->GetLastErrorInfo(outside.get()), kOstOk);
  EXPECT_EQ(outside.ToError().ToString(), "error 9: Subscript out of range: XData(-1)");
  const OstString broken{nullptr, 4};
  EXPECT_EQ(data->put_HAxL(0, &broken), kOstException);
  ASSERT_EQ(data->GetLastErrorInfo(unreadable.get()), kOstOk);
  EXPECT_EQ(unreadable.ToError().ToString(),
            "error 13: Type mismatch: a value from across the boundary is broken: a string "
            "without its bytes");

  EXPECT_EQ(data->get_CType(nullptr), kOstPointer);
  EXPECT_EQ(data->put_HAxL(0, nullptr), kOstPointer);
}

TEST(TypedInterfaceTest, QueryInterfaceHandsOutOneObject) {
  ComPtr<IOstClsData> data = Create<IOstClsData>(kClsidClsData);
  ComPtr<IOstUnknown> identity = data.As<IOstUnknown>();
  EXPECT_EQ(identity.get(), data.As<IOstDispatch>().As<IOstUnknown>().get());
  EXPECT_EQ(identity.get(), data.As<IOstReportConsole>().As<IOstUnknown>().get());
  EXPECT_EQ(identity.get(), data.As<IOstDiagnosisOptions>().As<IOstUnknown>().get());
  void* none = &none;
  EXPECT_EQ(data->QueryInterface(IOstClsInfo::kIid, &none), kOstNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(data->QueryInterface(IOstDispatch::kIid, nullptr), kOstPointer);
}

}  // namespace
}  // namespace ostrevin
