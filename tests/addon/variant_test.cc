#include "values/variant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

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
  EXPECT_TRUE(*Variant(std::int16_t{1}).ToBoolean());
  EXPECT_FALSE(*Variant().ToBoolean());
  EXPECT_FALSE(*Variant(std::int32_t{0}).ToBoolean());
  EXPECT_TRUE(*Variant(0.5f).ToBoolean());
  EXPECT_FALSE(*Variant(0.0f).ToBoolean());
  EXPECT_EQ(Variant("maybe").ToBoolean().error().number(), 13);
  EXPECT_EQ(Variant("1e39").ToSingle().error().number(), 6);
  EXPECT_EQ(*Variant("3.4028234663852886e38").ToSingle(), FLT_MAX);  // the largest is taken
  EXPECT_EQ(*Variant(Boolean{true}).ToString(), "True");
  EXPECT_EQ(*Variant(0.1f).ToString(), "0.1");
}

// An element is read through its array's own type, then converted as a Variant would be.
TEST(VArrayTest, ElementsReadThroughTheirOwnType) {
  VArray flags(VarType::Boolean, {{0, 1}}), numbers(VarType::Integer, {{1, 3}, {0, 1}});
  ASSERT_TRUE(flags.Put(1, true).ok());
  EXPECT_EQ(*flags.Get<bool>(1), true);
  EXPECT_EQ(*flags.Get<std::string>(1), "True");
  EXPECT_EQ(*numbers.Get<std::string>(0), "0");
  EXPECT_EQ(*numbers.Get<std::int32_t>(0), 0);
  EXPECT_EQ(numbers.Flat(3, 1), 5);
  EXPECT_EQ(numbers.Flat(1, 2), -1);
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
                      {1.0f / 3.0f, "0.3333333"},
                      {-INFINITY, "-INF"},
                      {NAN, "NAN"}};
  for (const Row& row : rows) EXPECT_EQ(FormatSingle(row.value), row.text);
  // The text of printf's "%.7G", over floats of every exponent.
  for (std::uint32_t bits = 7; bits < 0xFFFF0000u; bits += 77773u) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.7G", static_cast<double>(value));
    ASSERT_EQ(FormatSingle(value), printed) << bits;
  }
}

}  // namespace
}  // namespace ostrevin
