#include "library/type_library.h"

#include <span>
#include <vector>

#include "abi/abi_values.h"
#include "addon/members.h"
#include "library/dispatch_ids.h"
#include "library/guard.h"
#include "library/module.h"
#include "library/single_interface_object.h"
#include "values/version_info.h"

namespace ostrevin {
namespace {

struct TypeDesc {
  const char* name;
  OstGuid guid;
  OstTypeKind kind;
  const char* prog_id;
  std::span<const OstMemberDesc> members;
};

constexpr std::uint16_t kGetPut = kOstDispatchGet | kOstDispatchPut;
constexpr OstBounds kNoBounds = {0, -1};

OstMemberDesc Desc(const char* name, std::int32_t dispid, OstMemberKind kind, std::uint16_t access,
                   std::uint16_t type) {
  return OstMemberDesc{
      name,    dispid, kind, access, type, 0, {nullptr, nullptr}, {0, 0}, {kNoBounds, kNoBounds},
      nullptr, 0};
}

// A row of members.def: the indexed property or the scalar.
OstMemberDesc TableDesc(MemberId id) {
  const MemberInfo& info = Info(id);
  const OstMemberKind kind = info.kind == MemberKind::kScalar  ? kOstMemberScalar
                             : info.kind == MemberKind::kFixed ? kOstMemberFixed
                                                               : kOstMemberIndexed;
  OstMemberDesc d =
      Desc(info.name.data(), DispIdOf(id, false), kind, kGetPut, AbiVarType(info.type));
  d.param_count = static_cast<std::uint16_t>(info.rank);
  for (int k = 0; k < info.rank; ++k) {
    d.param_names[k] = k == 0 ? "i" : "j";
    d.param_types[k] = kOstVtInteger;
    d.index_bounds[k] = OstBounds{info.dims[k].lower, info.dims[k].upper};
  }
  if (kind == kOstMemberIndexed) d.companion = info.quick.data();
  return d;
}

OstMemberDesc WholeDesc(MemberId id) {
  const MemberInfo& info = Info(id);
  OstMemberDesc d = Desc(info.quick.data(), DispIdOf(id, true), kOstMemberWholeArray,
                         kGetPut | kOstDispatchPutRef,
                         static_cast<std::uint16_t>(kOstVtArray | AbiVarType(info.type)));
  d.companion = info.name.data();
  return d;
}

OstMemberDesc WithArgs(OstMemberDesc d, const char* arg1, OstVarType type1, const char* arg2,
                       OstVarType type2) {
  d.param_count = 2;
  d.param_names[0] = arg1;
  d.param_names[1] = arg2;
  d.param_types[0] = type1;
  d.param_types[1] = type2;
  return d;
}

#define OSTREVIN_ABI_VT(Type) AbiVarType(VarType::Type)

std::vector<OstMemberDesc> MakeDataMembers() {
  std::vector<OstMemberDesc> out;
  for (std::size_t k = 0; k < AllMembers().size(); ++k) out.push_back(TableDesc(MemberId(k)));
  for (std::size_t k = 0; k < AllMembers().size(); ++k) {
    if (AllMembers()[k].kind == MemberKind::kReplaceable) out.push_back(WholeDesc(MemberId(k)));
  }
#define OSTREVIN_DATA_GET(Name, Type)                                                          \
  out.push_back(Desc(#Name, DispIdOf(DataMethodId::Name), kOstMemberProperty, kOstDispatchGet, \
                     OSTREVIN_ABI_VT(Type)));
#define OSTREVIN_DATA_PUT(Name, Type)                                                          \
  out.push_back(Desc(#Name, DispIdOf(DataMethodId::Name), kOstMemberProperty, kOstDispatchPut, \
                     OSTREVIN_ABI_VT(Type)));
#define OSTREVIN_DATA_METHOD(Name)                                                              \
  out.push_back(Desc(#Name, DispIdOf(DataMethodId::Name), kOstMemberMethod, kOstDispatchMethod, \
                     kOstVtEmpty));
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2)                   \
  out.push_back(WithArgs(Desc(#Name, DispIdOf(DataMethodId::Name), kOstMemberProperty, \
                              kOstDispatchGet, OSTREVIN_ABI_VT(Type)),                 \
                         #Arg1, OSTREVIN_ABI_VT(Type1), #Arg2, OSTREVIN_ABI_VT(Type2)));
#include "addon/cls_data_methods.def"
  return out;
}

std::vector<OstMemberDesc> MakeInfoMembers() {
  std::vector<OstMemberDesc> out;
#define OSTREVIN_INFO(Name, Type, Value)                                                       \
  out.push_back(Desc(#Name, DispIdOf(InfoMemberId::Name), kOstMemberProperty, kOstDispatchGet, \
                     OSTREVIN_ABI_VT(Type)));
#include "addon/cls_info.def"
  return out;
}

std::vector<OstMemberDesc> MakeLinkTypes() {
  std::vector<OstMemberDesc> out;
#define OSTREVIN_LINK_TYPE(Name, Value)                                \
  out.push_back(Desc(#Name, 0, kOstMemberConstant, 0, kOstVtInteger)); \
  out.back().constant = Value;
#include "addon/cls_info.def"
  return out;
}

// The types, built once; their strings are literals of the library.
std::span<const TypeDesc> AllTypes() {
  static const std::vector<OstMemberDesc> data_members = MakeDataMembers();
  static const std::vector<OstMemberDesc> info_members = MakeInfoMembers();
  static const std::vector<OstMemberDesc> link_types = MakeLinkTypes();
  static const OstMemberDesc info_class[] = {
      Desc("_clsInfo", 0, kOstMemberInterface, 0, kOstVtEmpty)};
  static const OstMemberDesc data_class[] = {
      Desc("_clsData", 0, kOstMemberInterface, 0, kOstVtEmpty)};
  static const TypeDesc types[] = {
      {"_clsInfo", IOstClsInfo::kIid, kOstTkindDispatch, nullptr, info_members},
      {"_clsData", IOstClsData::kIid, kOstTkindDispatch, nullptr, data_members},
      {"clsInfo", kClsidClsInfo, kOstTkindCoclass, kProgIdClsInfo, info_class},
      {"clsData", kClsidClsData, kOstTkindCoclass, kProgIdClsData, data_class},
      {"LinkTypeConstants", kGuidLinkTypeConstants, kOstTkindEnum, nullptr, link_types},
  };
  return types;
}

class TypeInfoObject final : public SingleInterfaceObject<IOstTypeInfo> {
 public:
  explicit TypeInfoObject(const TypeDesc& type) : type_(type) {}

  OstStatus GetTypeAttr(OstTypeAttr* attr) override {
    return Guarded(nullptr, nullptr, [&] {
      *Required(attr) =
          OstTypeAttr{type_.name, type_.guid, type_.kind,
                      static_cast<std::uint16_t>(type_.members.size()), type_.prog_id};
      return kOstOk;
    });
  }
  OstStatus GetMemberDesc(std::int32_t index, OstMemberDesc* desc) override {
    return Guarded(nullptr, nullptr, [&] {
      Required(desc);
      if (index < 0 || static_cast<std::size_t>(index) >= type_.members.size())
        return kOstElementNotFound;
      *desc = type_.members[static_cast<std::size_t>(index)];
      return kOstOk;
    });
  }
  OstStatus GetContainingTypeLib(IOstTypeLib** lib) override {
    return Guarded(nullptr, nullptr, [&] {
      auto* target = Required(lib);
      *target = NewTypeLib();
      return kOstOk;
    });
  }

 private:
  ~TypeInfoObject() override = default;

  const TypeDesc& type_;
};

class TypeLibObject final : public SingleInterfaceObject<IOstTypeLib> {
 public:
  OstStatus GetLibAttr(OstLibAttr* attr) override {
    return Guarded(nullptr, nullptr, [&] {
      *Required(attr) = OstLibAttr{
          kInternalName.data(), kLibidOstrevin,   kVersionMajor,        kVersionMinor,
          kVersionRevision,     kOstBoolTrue,     kFileVersion.data(),  kFileDescription.data(),
          kProductName.data(),  kComments.data(), kInternalName.data(), kOriginalFileName.data()};
      return kOstOk;
    });
  }
  std::int32_t GetTypeInfoCount() override { return static_cast<std::int32_t>(AllTypes().size()); }
  OstStatus GetTypeInfo(std::int32_t index, IOstTypeInfo** info) override {
    return Guarded(nullptr, nullptr, [&] {
      *Required(info) = nullptr;
      if (index < 0 || index >= GetTypeInfoCount()) return kOstElementNotFound;
      *info = new TypeInfoObject(AllTypes()[static_cast<std::size_t>(index)]);
      return kOstOk;
    });
  }
  OstStatus GetTypeInfoOfGuid(const OstGuid& guid, IOstTypeInfo** info) override {
    return Guarded(nullptr, nullptr, [&] {
      auto* target = Required(info);
      *target = NewTypeInfo(guid);
      return *info == nullptr ? kOstElementNotFound : kOstOk;
    });
  }

 private:
  ~TypeLibObject() override = default;
};

}  // namespace

IOstTypeInfo* NewTypeInfo(const OstGuid& guid) {
  for (const TypeDesc& type : AllTypes()) {
    if (type.guid == guid) return new TypeInfoObject(type);
  }
  return nullptr;
}

IOstTypeLib* NewTypeLib() {
  return new TypeLibObject();
}

}  // namespace ostrevin
