#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "chartfile/chart_file.h"
#include "chartfile/number_token.h"
#include "chartfile/staged_chart.h"
#include "tests/host/test_support.h"

namespace ostrevin {
namespace {

class ChartFileRoundTripTest : public ::testing::Test {
 protected:
  // Writes `data`, reads the text into a fresh container and checks that both are the same.
  void ExpectRoundTrip(const ChartObject& data) {
    Result<std::string> text = ChartFileText(data);
    ASSERT_TRUE(text.ok()) << text.error().ToString();
    ChartObject again = NewChart();
    Status read = ApplyChartText(*text, "written.json", again);
    ASSERT_TRUE(read.ok()) << read.error().ToString() << "\n" << text->substr(0, 400);
    ExpectSameContainer(data, again);
  }
};

// A value of `type` that is not initial; `k` varies it.
Variant SampleValue(VarType type, int k) {
  switch (type) {
    case VarType::Integer:
      return static_cast<std::int16_t>(k % 2 ? -32768 : 32767 - k);
    case VarType::Long:
      return static_cast<std::int32_t>(k % 2 ? -2147483647 - 1 : 70000 + k);
    case VarType::Single:
      return k % 2 ? 0.1f * static_cast<float>(k + 1) : -3.4028235e38f;
    case VarType::Boolean:
      return true;
    default:
      return "line " + std::to_string(k) +
             "\r\n\t\"q\" \\ caf\u00e9 \u20ac \uD7FF \uFFFD \U0001F600 \U00040000 \U000F0000 "
             "\U0010FFFF \x01";
  }
}

// A whole array with the given bounds, of the given element type, every element set.
VArray SampleArray(VarType type, std::vector<Bounds> dims) {
  VArray array(type, std::move(dims));
  const VarType kinds[] = {VarType::Empty,  VarType::Integer, VarType::Long,
                           VarType::Single, VarType::Boolean, VarType::String};
  for (std::size_t flat = 0; flat < array.size(); ++flat) {
    const int k = static_cast<int>(flat);
    const VarType element = type == VarType::Variant ? kinds[flat % 6] : type;
    (void)array.Put(flat, element == VarType::Empty ? Variant() : SampleValue(element, k));
  }
  return array;
}

// Generated from the member table, as the library's type information gives it: every member,
// set away from its initial value in each way the host can set it, survives a write and a read.
TEST_F(ChartFileRoundTripTest, EveryMemberRoundTrips) {
  const ChartObject table = NewChart();
  ASSERT_EQ(table.members().size(), 197u);
  for (const ChartAccess::Member& info : table.members()) {
    SCOPED_TRACE(info.name);
    if (info.kind == ChartAccess::Member::Kind::kScalar) {
      for (int k = 0; k < 2; ++k) {
        ChartObject data = NewChart();
        ASSERT_TRUE(data.PutScalar(info, SampleValue(info.type, k)).ok());
        ExpectRoundTrip(data);
      }
      continue;
    }
    ChartObject data = NewChart();  // the first and the last element of the initial array
    const Bounds d0 = info.dims[0], d1 = info.dims[1];
    const std::vector<std::int32_t> first =
        info.rank == 1 ? std::vector{d0.lower} : std::vector{d0.lower, d1.lower};
    const std::vector<std::int32_t> last =
        info.rank == 1 ? std::vector{d0.upper} : std::vector{d0.upper, d1.upper};
    ASSERT_TRUE(data.PutElement(info, first, SampleValue(info.type, 1)).ok());
    ASSERT_TRUE(data.PutElement(info, last, SampleValue(info.type, 2)).ok());
    ExpectRoundTrip(data);
    if (info.kind != ChartAccess::Member::Kind::kReplaceable) continue;
    // An empty two-index array takes the member's second dimension (none for one index).
    const std::int32_t last_column = info.rank == 2 ? info.dims[1].upper : -1;
    const std::vector<std::vector<Bounds>> shapes = {{{0, 4}},         {{-3, 2}},
                                                     {{0, 3}, {0, 1}}, {{5, 7}, {-1, 1}},
                                                     {{0, -1}},        {{2, 1}, {0, last_column}}};
    for (VarType type : {info.type, VarType::String, VarType::Variant, VarType::Long}) {
      for (const std::vector<Bounds>& dims : shapes) {
        ChartObject whole = NewChart();
        ASSERT_TRUE(whole.PutWholeArray(info, Variant(SampleArray(type, dims))).ok());
        ExpectRoundTrip(whole);
      }
    }
  }
}

TEST_F(ChartFileRoundTripTest, SinglesKeepEveryBit) {
  std::mt19937 random(12345);
  VArray values(VarType::Single, {{0, 29999}});
  (void)values.Put(0, -0.0f);
  for (std::size_t k = 1; k < values.size(); ++k) {
    float f;
    do f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    while (!std::isfinite(f));
    (void)values.Put(k, f);
  }
  ChartObject data = NewChart();
  ASSERT_TRUE(data.PutWholeArray(MemberNamed(data, "XData"), Variant(values)).ok());
  ChartObject again = NewChart();
  ASSERT_TRUE(ApplyChartText(*ChartFileText(data), "bits.json", again).ok());
  const VArray read = *again.GetArray(MemberNamed(again, "XData"));
  ASSERT_EQ(read.size(), values.size());
  for (std::size_t k = 0; k < values.size(); ++k)
    ASSERT_EQ(std::bit_cast<std::uint32_t>(*read.Get<float>(k)),
              std::bit_cast<std::uint32_t>(*values.Get<float>(k)))
        << k;
}

// Decimal texts of every length, near halfway between two floats among them, read by the fast
// reader and by the detailed one, as one list and (the first 5,000) as elements by index: each
// gives the float nearest to the text.
TEST_F(ChartFileRoundTripTest, DecimalsReadAsTheNearestFloat) {
  std::mt19937_64 random(2026);
  std::string list = "{\"XData\": [", by_index = "{\"XData\": {";
  std::vector<float> nearest;
  for (int k = 0; k < 20000; ++k) {
    char text[64];
    if (k % 2) {
      // Just below, at or above the middle between two floats.
      const float f =
          std::bit_cast<float>(0x0d000000u + static_cast<std::uint32_t>(random() % 0x3e000000u));
      const double middle = (static_cast<double>(f) + std::nextafter(f, 1e30f)) / 2;
      std::snprintf(text, sizeof text, "%.*g", static_cast<int>(9 + k % 9), middle);
    } else {
      const auto digits = static_cast<unsigned long long>(random() % 10'000'000'000'000'000'000ull);
      const int places = 1 + static_cast<int>(random() % 22);
      std::snprintf(text, sizeof text, "%s%llu", k % 4 ? "" : "-", digits >> (random() % 64));
      std::string t = text;
      const std::size_t digits_from = t[0] == '-' ? 1 : 0;
      if (t.size() - digits_from > static_cast<std::size_t>(places))
        t.insert(t.size() - static_cast<std::size_t>(places), ".");
      else
        t.insert(digits_from, "0.");
      std::snprintf(text, sizeof text, "%s", t.c_str());
    }
    (list += k ? ", " : "") += text;
    std::from_chars(text, text + std::strlen(text), nearest.emplace_back());
    if (k < 5000) (by_index += k ? ", \"" : "\"") += std::to_string(k) + "\": " + text;
  }
  for (const auto& [chart, count] : {std::pair{list + "]}", 20000}, {by_index + "}}", 5000}}) {
    ChartObject fast = NewChart(), detailed = NewChart();
    ASSERT_TRUE(ApplyChartText(chart, "decimals.json", fast).ok());
    ASSERT_TRUE(ApplyChartTextInDetail(chart, "decimals.json", detailed).ok());
    for (const ChartObject* read : {&fast, &detailed}) {
      const VArray values = *read->GetArray(MemberNamed(*read, "XData"));
      for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k)
        ASSERT_EQ(std::bit_cast<std::uint32_t>(*values.Get<float>(k)),
                  std::bit_cast<std::uint32_t>(nearest[k]))
            << k << (read == &fast ? " fast" : " detailed");
    }
  }
}

// The quick readers take the numbers chart files mostly hold, exactly, and leave every other text
// (nullopt, false) to the general way.
TEST(NumberTokenTest, QuickReadsTakeTheCommonNumbersOnly) {
  // What `read_at` reads from the whole of `t`; nothing unless it reads to the end.
  auto whole_text = [](auto read_at, std::string_view t) {
    const char* p = t.data();
    const auto value = read_at(p, t.data() + t.size());
    return p == t.data() + t.size() ? value : decltype(value)();
  };
  auto decimal = [&](std::string_view t) { return whole_text(ShortDecimalAt, t); };
  auto whole = [&](std::string_view t) { return whole_text(ShortWholeAt, t); };
  const std::optional<float> no_float;
  const std::optional<std::int32_t> no_whole;
  EXPECT_EQ(decimal("-12.375"), -12.375f);
  EXPECT_EQ(decimal("10.3588505"), 10.3588505f);
  EXPECT_EQ(decimal("0.1"), 0.1f);
  EXPECT_EQ(decimal("502"), 502.0f);
  for (const char* general : {"-0", "-0.0", "01", "5.", "1e5", "16777217", "12345678901234567890"})
    EXPECT_EQ(decimal(general), no_float) << general;
  EXPECT_EQ(whole("-12"), -12);
  EXPECT_EQ(whole("123456789"), 123456789);
  for (const char* general : {"1234567890", "00", "-", "1.5"})
    EXPECT_EQ(whole(general), no_whole) << general;
  std::int32_t long_value = 0;
  EXPECT_TRUE(ReadNumberQuickly("2147483647", long_value));
  EXPECT_EQ(long_value, 2147483647);
  EXPECT_FALSE(ReadNumberQuickly("2147483648", long_value));
  std::int16_t integer = 0;
  EXPECT_TRUE(ReadNumberQuickly("-32768", integer));
  EXPECT_EQ(integer, -32768);
  EXPECT_FALSE(ReadNumberQuickly("32768", integer));
  EXPECT_FALSE(ReadNumberQuickly("1.0", integer));
  float single = 0;
  EXPECT_TRUE(ReadNumberQuickly("1E2", single));
  EXPECT_EQ(single, 100.0f);
  for (const char* general : {"3.4028235e38", "1e-50", "-0", "1e"})
    EXPECT_FALSE(ReadNumberQuickly(general, single)) << general;
}

struct ReadCase {
  std::string text;
  std::string dumped;  // ChartFileText of the container after reading `text`
  char reader;         // the first that takes it: 'p' plain text, 's' staged parse, 'd' detailed
};

char ReaderOf(std::string_view text, const ChartAccess& chart) {
  if (StagePlainChartText(text, chart)) return 'p';
  return StageChartText(text, text.size(), chart) ? 's' : 'd';
}

TEST_F(ChartFileRoundTripTest, ReadsEveryFormAsTheHostsPuts) {
  const ReadCase cases[] = {
      {"{}", "{}\n", 'p'},
      {R"({"ctype": 3.0, "IsDataIn": 2, "Percent": 0, "blnReadOnly": true, "UppTol": 16777217,
          "LowTol": 0.1})",
       "{\n  \"CType\": 3,\n  \"IsDataIn\": true,\n  \"blnReadOnly\": true,\n"
       "  \"UppTol\": 16777216,\n"
       "  \"LowTol\": 0.1\n}\n",
       's'},
      // Keys apply in file order, repeated keys and both names of a member included.
      {R"({"XData": [1, 2, 3], "QuickXData": {"lbound": 1, "values": [7, 8]},
          "xdata": {"2": 9}, "XData": {"1": 5}})",
       "{\n  \"XData\": {\"lbound\": 1, \"values\": [5, 9]}\n}\n", 'd'},
      {R"({"Mx": [10, 12.5], "Ucl": [[13, 4.1], [14, 4.3]], "Split": {"2": 41}})",
       "{\n  \"Split\": [0, 0, 41],\n  \"Ucl\": [[13, 4.1], [14, 4.3]],\n  \"Mx\": [10, "
       "12.5]\n}\n",
       's'},
      {R"({"PointStatsUcl": [[13, 4], [13, 4]], "HAxL": {"3": "Mon"}, "PGVI": {" 7 ": 1}})",
       "{\n  \"PGVI\": {\"7\": 1},\n  \"HAxL\": {\"3\": \"Mon\"},\n"
       "  \"PointStatsUcl\": [[13, 4], [13, 4]]\n}\n",
       's'},
      // Rows that repeat the row before, or nearly.
      {R"({"PointStatsLcl": [[1, 2], [1, 2], [1, 25], [1,25], [1, 2]],
          "PointStatsblnUclVisible": [[true, false], [true, false], [false, true]]})",
       "{\n  \"PointStatsLcl\": [[1, 2], [1, 2], [1, 25], [1, 25], [1, 2]],\n"
       "  \"PointStatsblnUclVisible\": [[true, false], [true, false], [false, true]]\n}\n",
       'p'},
      // Long runs of one row: passed over in one sweep up to a changed separator, a changed
      // last digit and the end of the list, also where two separators take turns.
      {R"({"PointStatsUcl": [[1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2],
 [1, 2], [1, 2], [1, 3], [1, 3], [1, 3],[1, 3], [1, 2],
 [5, 6], [5, 6],
 [5, 6], [5, 6],
 [5, 6], [5, 6],
 [5, 6], [5, 6],
 [5, 6], [5, 6],
 [5, 6], [5, 6]]})",
       "{\n  \"PointStatsUcl\": [[1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], "
       "[1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], [1, 2], "
       "[1, 2], [1, 2], [1, 2], [1, 3], [1, 3], [1, 3], [1, 3], [1, 2], [5, 6], [5, 6], [5, 6], "
       "[5, 6], [5, 6], [5, 6], [5, 6], [5, 6], [5, 6], [5, 6], [5, 6], [5, 6]]\n}\n",
       'p'},
      // Runs of one item, up to a number that starts as the item does and a changed separator.
      {R"({"XDataI": [1, 1, 1, 1, 10, 1, 1,1, 1, 11, 1, 1], "Mx": [2.5, 2.5, 2.5, 2.55, 2.5, 2.5e1]})",
       "{\n  \"XDataI\": [1, 1, 1, 1, 10, 1, 1, 1, 1, 11, 1, 1],\n"
       "  \"Mx\": [2.5, 2.5, 2.5, 2.55, 2.5, 25]\n}\n",
       'p'},
      {R"({"RData": {"lbound": 0, "type": "Variant", "values": [null, 1.5, {"Integer": 2}, "x"]}})",
       "{\n  \"RData\": {\"lbound\": 0, \"type\": \"Variant\", \"values\": "
       "[null, 1.5, {\"Integer\": 2}, \"x\"]}\n}\n",
       'd'},
      {R"({"GV": {"lbound": [1, 0], "values": []}, "LowTol": 0.0005, "UppTol": 1e-20})",
       "{\n  \"GV\": {\"lbound\": [1, 0], \"values\": []},\n  \"UppTol\": 1e-20,\n"
       "  \"LowTol\": 0.0005\n}\n",
       'd'},
      // Numbers and texts at the edges of the fast reader.
      {R"({"UppTol": -0, "LowTol": -0.0, "Mx": [18446744073709551616, 1E2, 9223372036854775808]})",
       "{\n  \"Mx\": [1.8446744e+19, 100, 9.223372e+18],\n  \"LowTol\": -0.0\n}\n", 'd'},
      {R"({"Title": ["a\"b\\c\n", "caf\u00e9 \ud83d\ude00"], "Split": {"2": 4, "2": 5}})",
       "{\n  \"Split\": [0, 0, 5],\n  \"Title\": [\"a\\\"b\\\\c\\n\", \"caf\u00e9 "
       "\U0001F600\"]\n}\n",
       'd'},
      {R"({"Split": {"1": 3, "2\t": 5}})", "{\n  \"Split\": [0, 3, 5]\n}\n", 'd'},
      {R"({"PointColour": [2147483647, -2147483648, 7], "QuorvaVersion": "0003.0006.0120"})",
       "{\n  \"PointColour\": [2147483647, -2147483648, 7]\n}\n", 'p'},
      {R"({"ReferenceCol": [12.0, 3], "QuorvaVersion": "0003.0006.0120"})",
       "{\n  \"ReferenceCol\": [12, 3]\n}\n", 's'},
  };
  // Both readers: the fast one (most of these) and the detailed one it leaves the rest to; the
  // fast one must take the forms tools write.
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ReaderOf(c.text, NewChart()), c.reader) << c.text;
    for (auto read_chart : {&ApplyChartText, &ApplyChartTextInDetail}) {
      ChartObject data = NewChart();
      Status read = read_chart(c.text, "chart.json", data);
      ASSERT_TRUE(read.ok()) << read.error().ToString();
      EXPECT_EQ(*ChartFileText(data), c.dumped) << c.text;
    }
  }
}

// A chart of more than a megabyte is read into pages of its own rather than the heap: every byte
// and the padding past the end must still be what the reader sees.
TEST_F(ChartFileRoundTripTest, LargeFilesReadBackUnchanged) {
  ChartObject data = NewChart();
  const ChartAccess::Member* labels = nullptr;
  for (const ChartAccess::Member& info : data.members()) {
    if (info.name == "HAxL") labels = &info;
  }
  ASSERT_NE(labels, nullptr);
  ASSERT_TRUE(
      data.PutWholeArray(*labels, Variant(SampleArray(VarType::String, {{0, 30000}}))).ok());
  const std::filesystem::path path = ScratchDir() / "large.json";
  ASSERT_TRUE(WriteChartFileAtomically(path, data).ok());
  ASSERT_GT(std::filesystem::file_size(path), std::uintmax_t{1} << 20);
  ExpectSameContainer(data, ReadChart(path));
}

TEST_F(ChartFileRoundTripTest, WritesAtomicallyAndKeepsPermissions) {
  const std::filesystem::path dir = ScratchDir();
  const std::filesystem::path path = dir / "chart.json";
  std::ofstream(path) << "{}";
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ChartObject data = NewChart();
  Set(data, "CType", {}, std::int16_t{-3});
  ASSERT_TRUE(WriteChartFileAtomically(path, data).ok());
  EXPECT_EQ(Get(ReadChart(path), "CType"), Variant(std::int16_t{-3}));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left

  Status failed = WriteChartFileAtomically(dir / "missing" / "chart.json", data);
  EXPECT_EQ(failed.error().ToString(), (dir / "missing" / "chart.json").string() +
                                           ": cannot write: No such file or directory");
}

}  // namespace
}  // namespace ostrevin
