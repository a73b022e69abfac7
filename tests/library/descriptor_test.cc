// clsInfo and the type information, read as a host reads them.
#include "host/dispatch_object.h"
#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

struct Constant {
  std::string name;
  Variant value;  // of the exact type the host receives
};

const Constant kConstants[] = {
    {"LinkType", std::int16_t{LTAddOn}},
    {"MenuName", "&Diagnose ..."},
    {"Description", "Diagnostic Program"},
    {"ProvidePictureBoxReference", false},
    {"NumberOfDataSets", std::int16_t{1}},
    {"DLLInfoStringRelatedToNumberOfData", false},  // a Variant holding the Boolean False
};

TEST(DescriptorTest, ByNameEveryConstantHasItsValueAndType) {
  const DispatchObject info(Create<IOstDispatch>(kClsidClsInfo));
  for (int round = 0; round < 2; ++round) {  // no side effects: the same every time
    for (const Constant& c : kConstants) {
      Result<Variant> value = info.GetByName(c.name);
      ASSERT_TRUE(value.ok()) << c.name;
      EXPECT_TRUE(*value == c.value) << c.name;  // == compares the type too
    }
  }
  const Variant text[] = {"x"};
  Result<Variant> set = info.Invoke(*info.IdOf("menuname"), kOstDispatchPut, text);
  EXPECT_EQ(set.error().ToString(),
            "error 438: Object doesn't support this property or method: MenuName cannot be set");
}

TEST(DescriptorTest, TypedInterfaceGivesTheSameConstants) {
  ComPtr<IOstClsInfo> info = Create<IOstClsInfo>(kClsidClsInfo);
  std::int16_t link = 0, sets = 0;
  OstBool picture = kOstBoolTrue;
  OwnedOstString menu, description;
  OwnedOstVariant related;
  ASSERT_EQ(info->get_LinkType(&link), kOstOk);
  ASSERT_EQ(info->get_MenuName(menu.get()), kOstOk);
  ASSERT_EQ(info->get_Description(description.get()), kOstOk);
  ASSERT_EQ(info->get_ProvidePictureBoxReference(&picture), kOstOk);
  ASSERT_EQ(info->get_NumberOfDataSets(&sets), kOstOk);
  ASSERT_EQ(info->get_DLLInfoStringRelatedToNumberOfData(related.get()), kOstOk);
  EXPECT_EQ(link, LTAddOn);
  EXPECT_EQ(menu.str(), "&Diagnose ...");
  EXPECT_EQ(description.str(), "Diagnostic Program");
  EXPECT_EQ(picture, kOstBoolFalse);
  EXPECT_EQ(sets, 1);
  EXPECT_EQ((*related).type, kOstVtBoolean);
  EXPECT_EQ((*related).boolean, kOstBoolFalse);
  EXPECT_EQ(info->get_MenuName(nullptr), kOstPointer);
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
  EXPECT_EQ(std::string(id.file_description) + "|" + id.product_name + "|" + id.comments + "|" +
                id.file_version + "|" + id.internal_name + "|" + id.original_file_name,
            "Diagnostic Program|Diagnostic Program|Diagnostic Program For Quorva|2.00.0007|"
            "Ostrevin|Ostrevin.dll");
  EXPECT_EQ(id.major_version * 10000 + id.minor_version * 100 + id.revision, 20007);
  EXPECT_EQ(id.self_registering, kOstBoolTrue);
}

TEST(DescriptorTest, LinkTypeConstantsAndTheClsInfoMembers) {
  ComPtr<IOstTypeInfo> link_types, info_type;
  ComPtr<IOstTypeLib> lib;
  ASSERT_EQ(Create<IOstClsInfo>(kClsidClsInfo)->GetTypeInfo(info_type.Receive()), kOstOk);
  ASSERT_EQ(info_type->GetContainingTypeLib(lib.Receive()), kOstOk);
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kGuidLinkTypeConstants, link_types.Receive()), kOstOk);
  const std::vector<OstMemberDesc> constants = MembersOf(*link_types.get()).value();
  const std::vector<OstMemberDesc> members = MembersOf(*info_type.get()).value();
  std::string text;
  for (const OstMemberDesc& m : constants)
    text += std::string(m.name) + "=" + std::to_string(m.constant) + ";";
  for (const OstMemberDesc& m : members)
    text +=
        std::string(m.name) + ":" + std::to_string(m.type) + ":" + std::to_string(m.access) + ";";
  EXPECT_EQ(text,
            "LTAttachment=0;LTAddOn=1;LinkType:2:2;MenuName:8:2;Description:8:2;"
            "ProvidePictureBoxReference:11:2;NumberOfDataSets:2:2;"
            "DLLInfoStringRelatedToNumberOfData:12:2;");
}

}  // namespace
}  // namespace ostrevin
