// clsInfo and the type information, read as a host reads them.
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

struct TypeRow {
  std::string name;
  OstGuid guid;
  OstTypeKind kind;
  std::uint16_t members;
  std::string prog_id;
};

TEST(DescriptorTest, TypeLibraryListsTheTypesAndTheIdentity) {
  ComPtr<IOstTypeInfo> type;
  ComPtr<IOstTypeLib> lib;
  ASSERT_EQ(Create<IOstClsInfo>(kClsidClsInfo)->GetTypeInfo(type.Receive()), kOstOk);
  ASSERT_EQ(type->GetContainingTypeLib(lib.Receive()), kOstOk);
  // _clsData: the 197 chart members, the 17 whole arrays, the handshake members and methods.
  const TypeRow rows[] = {
      {"_clsInfo", IOstClsInfo::kIid, kOstTkindDispatch, 6, ""},
      {"_clsData", IOstClsData::kIid, kOstTkindDispatch, 197 + 17 + 7, ""},
      {"clsInfo", kClsidClsInfo, kOstTkindCoclass, 1, "Ostrevin.clsInfo"},
      {"clsData", kClsidClsData, kOstTkindCoclass, 1, "Ostrevin.clsData"},
      {"LinkTypeConstants", kGuidLinkTypeConstants, kOstTkindEnum, 2, ""},
  };
  ASSERT_EQ(lib->GetTypeInfoCount(), 5);
  for (std::int32_t k = 0; k < 5; ++k) {
    ComPtr<IOstTypeInfo> info;
    OstTypeAttr attr{};
    ASSERT_EQ(lib->GetTypeInfo(k, info.Receive()), kOstOk);
    ASSERT_EQ(info->GetTypeAttr(&attr), kOstOk);
    const TypeRow& row = rows[k];
    EXPECT_EQ(attr.name, row.name);
    EXPECT_TRUE(attr.guid == row.guid) << row.name;
    EXPECT_EQ(attr.kind, row.kind) << row.name;
    EXPECT_EQ(attr.member_count, row.members) << row.name;
    EXPECT_EQ(attr.prog_id ? attr.prog_id : "", row.prog_id);
  }
  ComPtr<IOstTypeInfo> none;
  EXPECT_EQ(lib->GetTypeInfo(5, none.Receive()), kOstElementNotFound);
  EXPECT_EQ(lib->GetTypeInfoOfGuid(IOstUnknown::kIid, none.Receive()), kOstElementNotFound);

  OstLibAttr id{};
  ASSERT_EQ(lib->GetLibAttr(&id), kOstOk);
  EXPECT_EQ(id.major_version * 10000 + id.minor_version * 100 + id.revision, 20007);
  EXPECT_EQ(id.self_registering, kOstBoolTrue);
}

}  // namespace
}  // namespace ostrevin
