// Every member of the table: found by its names in any case, its initial bounds, put -> get at
// both ends of every dimension, and error 9 with nothing stored just outside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "addon/cls_data.h"
#include "addon/members.h"
#include "platform/recording_platform.h"

namespace ostrevin {
namespace {

// A value of the member's type that differs from the initial zero, empty or False.
Variant Sample(VarType type) {
  switch (type) {
    case VarType::Integer:
      return std::int16_t{-7};
    case VarType::Long:
      return std::int32_t{123456};
    case VarType::Single:
      return 2.5f;
    case VarType::Boolean:
      return true;
    case VarType::String:
      return "label";
    default:
      return {};
  }
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

TEST(MemberTableTest, NamesAreUniqueAndFoundWithoutRegardToCase) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < AllMembers().size(); ++i) {
    const MemberInfo& info = AllMembers()[i];
    EXPECT_TRUE(seen.insert(Lower(info.name)).second) << info.name;
    auto found = FindMember(Lower(info.name));
    ASSERT_TRUE(found) << info.name;
    EXPECT_EQ(static_cast<std::size_t>(found->id), i) << info.name;
    EXPECT_FALSE(found->whole);
    if (info.kind == MemberKind::kReplaceable) {
      EXPECT_TRUE(seen.insert(Lower(info.quick)).second) << info.quick;
      auto whole = FindMember(info.quick);
      ASSERT_TRUE(whole) << info.quick;
      EXPECT_EQ(whole->id, found->id);
      EXPECT_TRUE(whole->whole);
    }
  }
  EXPECT_EQ(AllMembers().size(), 197u);  // 149 scalars, 31 fixed and 17 replaceable arrays
  EXPECT_FALSE(FindMember("NoSuchMember"));
}

TEST(MemberTableTest, EveryArrayHasItsBoundsAndRefusesIndexesOutsideThem) {
  RecordingPlatform platform;
  clsData data(platform);
  for (std::size_t i = 0; i < AllMembers().size(); ++i) {
    const MemberInfo& info = AllMembers()[i];
    if (info.kind == MemberKind::kScalar) continue;
    auto id = static_cast<MemberId>(i);
    const VArray& array = data.Array(id);
    ASSERT_EQ(array.rank(), info.rank) << info.name;
    for (int d = 0; d < info.rank; ++d) EXPECT_EQ(array.bounds(d), info.dims[d]) << info.name;

    // Corners of the array: lower and upper bound of every dimension.
    std::vector<std::vector<std::int32_t>> corners;
    for (std::int32_t a : {info.dims[0].lower, info.dims[0].upper}) {
      if (info.rank == 1)
        corners.push_back({a});
      else
        for (std::int32_t b : {info.dims[1].lower, info.dims[1].upper}) corners.push_back({a, b});
    }
    for (const auto& at : corners) {
      ASSERT_TRUE(data.PutElement(id, at, Sample(info.type)).ok()) << info.name;
      EXPECT_EQ(data.GetElement(id, at).value(), Sample(info.type)) << info.name;
    }
    // One step outside each dimension, on either side.
    for (int d = 0; d < info.rank; ++d) {
      for (std::int32_t outside : {info.dims[d].lower - 1, info.dims[d].upper + 1}) {
        std::vector<std::int32_t> at = corners.front();
        at[static_cast<std::size_t>(d)] = outside;
        const VArray before = data.Array(id);
        Status put = data.PutElement(id, at, Sample(info.type));
        ASSERT_FALSE(put.ok()) << info.name;
        EXPECT_EQ(put.error().number(), Error::kSubscriptOutOfRange) << info.name;
        EXPECT_EQ(data.GetElement(id, at).error().number(), Error::kSubscriptOutOfRange);
        EXPECT_TRUE(data.Array(id) == before) << info.name << ": something was stored";
      }
    }
  }
}

}  // namespace
}  // namespace ostrevin
