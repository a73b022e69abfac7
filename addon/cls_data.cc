#include "addon/cls_data.h"

#include <limits>
#include <type_traits>

#include "platform/platform.h"

namespace ostrevin {
namespace {

constexpr std::string_view kDataTransmitVersion =
    "2;pucoldescriptions;splitsinfo;limitsinfo;stapro;ingorelimitsblns;nexthaxltodiagnose;"
    "filename;symbols;coloursfonts;newtrendinfo;clforced;scalereversed;pointstats;";

// The member's array as a new container holds it: its initial bounds, all zero, empty or False.
// Made once for all members, so that a new container copies its arrays instead of building them.
const VArray& InitialArray(MemberId id) {
  static const std::vector<VArray> arrays = [] {
    std::vector<VArray> out;
    out.reserve(AllMembers().size());
    for (const MemberInfo& info : AllMembers())
      out.push_back(info.kind == MemberKind::kScalar
                        ? VArray()
                        : VArray(info.type, std::span<const Bounds>(info.dims, info.rank)));
    return out;
  }();
  return arrays[static_cast<std::size_t>(id)];
}

// Reads element i (and j) of an indexed member as T, or the container's error.
template <class T, class... Index>
Result<T> ReadElement(MemberId id, const VArray& array, Index... index) {
  std::int64_t flat = array.Flat(index...);
  if (flat < 0) return Error::SubscriptOutOfRange(DescribeElement(id, {{std::int32_t{index}...}}));
  // Most arrays hold their member's own type: read it straight from storage.
  if constexpr (std::is_same_v<T, bool>) {
    if (auto stored = array.Elements<unsigned char>(); !stored.empty())
      return stored[static_cast<std::size_t>(flat)] != 0;
  } else {
    if (auto stored = array.Elements<T>(); !stored.empty())
      return stored[static_cast<std::size_t>(flat)];
  }
  Result<T> value = array.Get<T>(static_cast<std::size_t>(flat));
  if (!value) return value.error().WithContext(DescribeElement(id, {{std::int32_t{index}...}}));
  return value;
}

template <class T, class... Index>
Status WriteElement(MemberId id, VArray& array, T value, Index... index) {
  std::int64_t flat = array.Flat(index...);
  if (flat < 0) return Error::SubscriptOutOfRange(DescribeElement(id, {{std::int32_t{index}...}}));
  if constexpr (std::is_same_v<T, bool>) {
    if (auto storage = array.MutableElements<unsigned char>(); !storage.empty()) {
      storage[static_cast<std::size_t>(flat)] = value ? 1 : 0;
      return Ok{};
    }
  } else {
    if (auto storage = array.MutableElements<T>(); !storage.empty()) {
      storage[static_cast<std::size_t>(flat)] = std::move(value);
      return Ok{};
    }
  }
  Status stored = array.Put(static_cast<std::size_t>(flat), Variant(std::move(value)));
  if (!stored) return stored.error().WithContext(DescribeElement(id, {{std::int32_t{index}...}}));
  return stored;
}

}  // namespace

std::string DescribeElement(MemberId id, std::span<const std::int32_t> indexes) {
  std::string out(Info(id).name);
  out += '(';
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    if (k > 0) out += ", ";
    out += std::to_string(indexes[k]);
  }
  out += ')';
  return out;
}

clsData::clsData(Platform& platform) : platform_(&platform) {
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) Name##_ = InitialArray(MemberId::Name);
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) Name##_ = InitialArray(MemberId::Name);
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) Name##_ = InitialArray(MemberId::Name);
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  Name##_ = InitialArray(MemberId::Name);
#include "addon/members.def"
}

// Typed indexed accessors.
#define OSTREVIN_INDEXED1(Name, Type)                                   \
  Result<OSTREVIN_CXX(Type)> clsData::Name(std::int16_t i) const {      \
    return ReadElement<OSTREVIN_CXX(Type)>(MemberId::Name, Name##_, i); \
  }                                                                     \
  Status clsData::Set##Name(std::int16_t i, OSTREVIN_CXX(Type) value) { \
    return WriteElement(MemberId::Name, Name##_, std::move(value), i);  \
  }
#define OSTREVIN_INDEXED2(Name, Type)                                                   \
  Result<OSTREVIN_CXX(Type)> clsData::Name(std::int16_t i, std::int16_t j) const {      \
    return ReadElement<OSTREVIN_CXX(Type)>(MemberId::Name, Name##_, i, j);              \
  }                                                                                     \
  Status clsData::Set##Name(std::int16_t i, std::int16_t j, OSTREVIN_CXX(Type) value) { \
    return WriteElement(MemberId::Name, Name##_, std::move(value), i, j);               \
  }
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) OSTREVIN_INDEXED1(Name, Type)
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) OSTREVIN_INDEXED2(Name, Type)
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) OSTREVIN_INDEXED1(Name, Type)
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) OSTREVIN_INDEXED2(Name, Type)
#include "addon/members.def"
#undef OSTREVIN_INDEXED1
#undef OSTREVIN_INDEXED2

Variant clsData::GetScalar(MemberId id) const {
  switch (id) {
#define OSTREVIN_SCALAR(Name, Type) \
  case MemberId::Name:              \
    return Variant(Name##_);
#include "addon/members.def"
    default:
      return Variant();
  }
}

Status clsData::PutScalar(MemberId id, const Variant& value) {
  switch (id) {
#define OSTREVIN_SCALAR(Name, Type)                           \
  case MemberId::Name: {                                      \
    Result<OSTREVIN_CXX(Type)> typed = value.To##Type(#Name); \
    if (!typed) return typed.error();                         \
    Name##_ = std::move(typed).value();                       \
    return Ok{};                                              \
  }
#include "addon/members.def"
    default:
      return Error::TypeMismatch(std::string(Info(id).name) + " is not a scalar");
  }
}

const VArray& clsData::Array(MemberId id) const {
  return const_cast<clsData*>(this)->MutableArray(id);
}

VArray& clsData::MutableArray(MemberId id) {
  switch (id) {
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) \
  case MemberId::Name:                     \
    return Name##_;
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) \
  case MemberId::Name:                                  \
    return Name##_;
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  case MemberId::Name:                            \
    return Name##_;
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  case MemberId::Name:                                         \
    return Name##_;
#include "addon/members.def"
    default:
      throw Error::TypeMismatch(std::string(Info(id).name) + " is not an array");
  }
}

Result<std::size_t> clsData::Locate(MemberId id, std::span<const std::int32_t> indexes) const {
  const VArray& array = Array(id);
  std::int64_t flat = -1;
  if (indexes.size() == 1) flat = array.Flat(indexes[0]);
  if (indexes.size() == 2) flat = array.Flat(indexes[0], indexes[1]);
  if (flat < 0) return Error::SubscriptOutOfRange(DescribeElement(id, indexes));
  return static_cast<std::size_t>(flat);
}

Result<Variant> clsData::GetElement(MemberId id, std::span<const std::int32_t> indexes) const {
  Result<std::size_t> flat = Locate(id, indexes);
  if (!flat) return flat.error();
  Result<Variant> value = Array(id).At(*flat).ConvertTo(Info(id).type);
  if (!value) return value.error().WithContext(DescribeElement(id, indexes));
  return value;
}

Status clsData::PutElement(MemberId id, std::span<const std::int32_t> indexes,
                           const Variant& value) {
  Result<std::size_t> flat = Locate(id, indexes);
  if (!flat) return flat.error();
  Status stored = MutableArray(id).Put(*flat, value);
  if (!stored) return stored.error().WithContext(DescribeElement(id, indexes));
  return Ok{};
}

Status clsData::PutWholeArray(MemberId id, Variant whole) {
  const MemberInfo& info = Info(id);
  if (info.kind != MemberKind::kReplaceable)
    return Error::TypeMismatch(std::string(info.name) + " cannot be replaced whole");
  if (!whole.IsArray())
    return Error::TypeMismatch(std::string(info.quick) + " needs an array, not a single value");
  const VArray& array = whole.array();
  if (array.rank() < 1 || array.rank() > 2)
    return Error::SubscriptOutOfRange(std::string(info.quick) + " needs one or two dimensions");
  // Places are 16-bit: bounds beyond what an Integer index can address would make elements that
  // can never be read, so such an array is refused.
  for (Bounds b : array.dims()) {
    if (b.lower < std::numeric_limits<std::int16_t>::min() ||
        b.upper > std::numeric_limits<std::int16_t>::max() || b.count() < 0)
      return Error::SubscriptOutOfRange(std::string(info.quick) + " bounds " +
                                        std::to_string(b.lower) + " to " + std::to_string(b.upper) +
                                        " exceed 16-bit places");
  }
  MutableArray(id) = std::move(whole).TakeArray();
  return Ok{};
}

namespace {

// The typed storage of places 0 to count - 1 of a one-index array, or empty.
template <class T>
std::span<T> PlaceStorage(VArray& array, std::size_t count) {
  const std::span<T> stored = array.MutableElements<T>();
  if (count == 0 || stored.empty() || array.Flat(0) != 0 ||
      array.Flat(static_cast<std::int32_t>(count - 1)) < 0)
    return {};
  return stored.first(count);
}

}  // namespace

std::span<float> clsData::PlottedValueStorage(std::size_t count) {
  return PlaceStorage<float>(PGV_, count);
}

std::span<std::int16_t> clsData::PlottedFlagStorage(std::size_t count) {
  return PlaceStorage<std::int16_t>(PGVI_, count);
}

std::string clsData::DataTransmitVersion() const {
  return std::string(kDataTransmitVersion);
}

void clsData::SetQuorvaVersion(std::string_view version) {
  quorva_version_ = std::string(version);
  // Compared as text, character by character in code order, whatever the field widths.
  if (version < kMinimumQuorvaVersion) {
    platform_->MessageBox("You need quorva version " + std::string(kMinimumQuorvaVersion) +
                              " or later for best results.",
                          MessageIcon::kInformation);
  }
}

void clsData::NewChart() {
  platform_->MessageBox("New Chart not implemented  - contact Halcyra", MessageIcon::kNone);
  cancel_ = true;
  blnReadOnly_ = false;
}

Variant clsData::GetArray(std::string_view /*strBaseIndex*/, std::int16_t /*intOffset*/) {
  cancel_ = false;
  return Variant(VArray());
}

Status clsData::Show() {
  const std::int16_t remembered = NextHAxLToDiagnose_;
  cancel_ = false;
  blnReadOnly_ = false;
  blnCreateNewChart_ = false;
  blnDuplicatePreviousChart_ = true;
  // TNVal + 1 is computed in 32 bits; a TNVal that leaves no room for it is refused like any
  // other index the container cannot hold.
  const std::int32_t last = std::int32_t{TNVal_} + 1;
  if (last > std::numeric_limits<std::int16_t>::max() || last < 0)
    return Error::SubscriptOutOfRange("PGV(0 To " + std::to_string(last) + ") from TNVal " +
                                      std::to_string(TNVal_));
  const Bounds resized{0, last};
  if (PGV_.rank() != 1 || PGVI_.rank() != 1)
    return Error::TypeMismatch("PGV and PGVI must be one-dimensional to be resized");
  PGV_.Redim(resized);
  if (CType_ != -4 && CType_ != -5 && CType_ != -7) PGVI_.Redim(resized);
  if (report_window_) OSTREVIN_RETURN_IF_ERROR(report_window_(*this));
  if (NextHAxLToDiagnose_ == remembered) blnReadOnly_ = true;
  return Ok{};
}

}  // namespace ostrevin
