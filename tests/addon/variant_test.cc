#include "values/variant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>

namespace ostrevin {
namespace {

TEST(VariantTest, ConversionsFollowTheHostsRules) {
  struct Row {
    Variant in;
    int integer;  // -100000 marks an expected error, with its number in `error`
    int error;
  };
  const Row rows[] = {
      {Variant(2.5f), 2, 0},
      {Variant(3.5f), 4, 0},
      {Variant(-2.5f), -2, 0},
      {Variant(Boolean{true}), -1, 0},
      {Variant(" 12 "), 12, 0},
      {Variant("1e2"), 100, 0},
      {Variant(std::int32_t{40000}), -100000, 6},
      {Variant(40000.0f), -100000, 6},
      {Variant("abc"), -100000, 13},
      {Variant(""), -100000, 13},
      {Variant(VArray(VarType::Integer, {{0, 1}})), -100000, 13},
      {Variant(), 0, 0},
  };
  for (const Row& row : rows) {
    Result<std::int16_t> r = row.in.ToInteger("X(1)");
    if (row.error != 0) {
      ASSERT_FALSE(r.ok()) << row.integer;
      EXPECT_EQ(r.error().number(), row.error);
    } else {
      ASSERT_TRUE(r.ok()) << r.error().ToString();
      EXPECT_EQ(*r, row.integer);
    }
  }
}

TEST(VariantTest, BooleanTextAndOverflowingSingles) {
  EXPECT_TRUE(*Variant("true").ToBoolean());
  EXPECT_FALSE(*Variant(" FALSE ").ToBoolean());
  EXPECT_TRUE(*Variant("-1").ToBoolean());
  EXPECT_TRUE(*Variant(std::int32_t{1}).ToBoolean());
  EXPECT_FALSE(*Variant(std::int32_t{0}).ToBoolean());
  EXPECT_TRUE(*Variant(0.5f).ToBoolean());
  EXPECT_FALSE(*Variant(0.0f).ToBoolean());
  EXPECT_EQ(Variant("maybe").ToBoolean().error().number(), 13);
  EXPECT_EQ(Variant("1e39").ToSingle().error().number(), 6);
  EXPECT_EQ(*Variant("3.4028234663852886e38").ToSingle(), FLT_MAX);  // the largest is taken
  EXPECT_EQ(*Variant(Boolean{true}).ToString(), "True");
  EXPECT_EQ(*Variant(0.1f).ToString(), "0.1");
}

TEST(VariantTest, FormatSingleGivesSevenSignificantDigits) {
  struct Row {
    float value;
    const char* text;
  };
  const Row rows[] = {{0.5f, "0.5"},
                      {1234567.0f, "1234567"},
                      {12345678.0f, "1.234568E+07"},
                      {0.00001f, "1E-05"},
                      {-0.25f, "-0.25"},
                      {100.0f, "100"},
                      {13.3f, "13.3"},
                      {0.0f, "0"},
                      {1.0f / 3.0f, "0.3333333"}};
  for (const Row& row : rows) EXPECT_EQ(FormatSingle(row.value), row.text);
}

TEST(VArrayTest, RedimKeepsOverlappingValues) {
  VArray a(VarType::Single, {{0, 3}});
  for (std::size_t i = 0; i < 4; ++i) ASSERT_TRUE(a.Put(i, static_cast<float>(i + 1)).ok());
  a.Redim({0, 5});
  EXPECT_EQ(a.size(), 6u);
  EXPECT_EQ(a.At(3), Variant(4.0f));
  EXPECT_EQ(a.At(5), Variant(0.0f));
  a.Redim({0, 1});
  EXPECT_EQ(a.size(), 2u);
  EXPECT_EQ(a.At(1), Variant(2.0f));
  // A new lower bound moves whole rows to their places.
  VArray rows(VarType::Integer, {{1, 2}, {0, 1}});
  for (std::size_t i = 0; i < 4; ++i) ASSERT_TRUE(rows.Put(i, std::int16_t(i + 1)).ok());
  rows.Redim({0, 2});
  const std::vector<std::int16_t> moved = {0, 0, 1, 2, 3, 4};
  EXPECT_TRUE(std::ranges::equal(rows.Elements<std::int16_t>(), moved));
}

TEST(VArrayTest, TwoDimensionalIndexing) {
  VArray a(VarType::Integer, {{1, 3}, {0, 1}});
  EXPECT_EQ(a.Flat(1, 0), 0);
  EXPECT_EQ(a.Flat(3, 1), 5);
  EXPECT_EQ(a.Flat(4, 0), -1);
  EXPECT_EQ(a.Flat(1, 2), -1);
  EXPECT_EQ(a.Flat(1), -1);  // wrong number of indexes
  VArray flags(VarType::Boolean, {{0, 1}});
  ASSERT_TRUE(flags.Put(1, true).ok());
  EXPECT_EQ(*flags.Get<bool>(0), false);
  EXPECT_EQ(*flags.Get<bool>(1), true);
  EXPECT_EQ(*flags.Get<std::string>(1), "True");  // read through the element's own type
  EXPECT_EQ(*a.Get<std::string>(0), "0");
}

}  // namespace
}  // namespace ostrevin
