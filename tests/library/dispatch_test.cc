// clsData by name: the handshake and the console's message boxes, and errors that arrive as the
// host's error numbers with messages. (A whole chart by name and the console's report: the
// command's tests, since the command plays the host that way.)
#include <vector>

#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

namespace fs = std::filesystem;

// The console stand-in of the clsData object behind `chart`.
ComPtr<IOstReportConsole> Console(const ChartObject& chart, const fs::path& settings) {
  auto console = chart.dispatch().object().As<IOstReportConsole>();
  auto options = chart.dispatch().object().As<IOstDiagnosisOptions>();
  EXPECT_EQ(console->UseConsole("2026-12-06 10:00:00", kOstBoolFalse), kOstOk);
  EXPECT_EQ(options->SetSettingsFile(settings.c_str()), kOstOk);
  return console;
}

std::string Take(IOstReportConsole& console, OstStatus (IOstReportConsole::*what)(OstString*)) {
  OwnedOstString text;
  EXPECT_EQ((console.*what)(text.get()), kOstOk);
  return text.str();
}

// The handshake itself is tested on the container; here, its messages reach the console.
TEST(DispatchTest, HandshakeAndMessageBoxesOnTheConsole) {
  ChartObject chart = NewChart();
  ComPtr<IOstReportConsole> console = Console(chart, ScratchDir() / "settings.ini");
  const DispatchObject& data = chart.dispatch();
  const Variant old_version[] = {"0003.0006.0119"}, new_version[] = {"0003.0006.0120"};
  ASSERT_TRUE(data.Invoke(*data.IdOf("QuorvaVersion"), kOstDispatchPut, old_version).ok());
  ASSERT_TRUE(data.Invoke(*data.IdOf("QuorvaVersion"), kOstDispatchPut, new_version).ok());
  ASSERT_TRUE(data.CallByName("NewChart").ok());
  EXPECT_EQ(*data.GetByName("Cancel"), Variant(true));
  EXPECT_EQ(Take(*console.get(), &IOstReportConsole::TakeMessages),
            "ostrevin: note: You need quorva version 0003.0006.0120 or later for best results.\n"
            "ostrevin: New Chart not implemented  - contact Halcyra\n");
}

struct BadCall {
  std::string member;
  std::uint16_t flags;
  std::vector<Variant> args;
  std::string error;  // Error::ToString()
};

TEST(DispatchTest, ErrorsArriveAsNumbersWithMessages) {
  const std::string no = "error 438: Object doesn't support this property or method: ";
  const std::string args = "error 450: Wrong number of arguments or invalid property assignment: ";
  const std::string range = "error 9: Subscript out of range: ", type = "error 13: Type mismatch: ";
  const std::uint16_t get = kOstDispatchGet, put = kOstDispatchPut;
  const BadCall calls[] = {
      {"XData", get, {std::int16_t{5001}}, range + "XData(5001)"},
      {"Ucl", get, {5, 2}, range + "Ucl(5, 2)"},
      {"Ucl", put, {5, 1.5f}, range + "Ucl(5)"},
      {"Mx", put, {0, 1.5f}, range + "Mx(0)"},
      {"XData", get, {"x"}, type + "XData index holds \"x\", not a number"},
      {"CType", put, {"abc"}, type + "CType holds \"abc\", not a number"},
      {"CType", put, {40000}, "error 6: Overflow: CType"},
      {"QuickXData", put, {5}, type + "QuickXData needs an array, not a single value"},
      {"QuorvaVersion", get, {}, no + "QuorvaVersion cannot be read"},
      {"DataTransmitVersion", put, {"2;"}, no + "DataTransmitVersion cannot be set"},
      {"CType", 0, {}, no + "CType with no kind of access"},
      {"Show", kOstDispatchMethod, {1}, args + "Show takes 0 arguments, not 1"},
      {"GetArray", get, {"a"}, args + "GetArray takes 2 arguments, not 1"},
      {"XData", get, {1, 2, 3}, args + "XData takes 1 or 2 indexes, not 3"},
      {"CType", put, {}, args + "CType takes 1 argument, not 0"},
      {"XData", put, {}, args + "XData takes 1 or 2 indexes, not 0"},
  };
  ChartObject chart = NewChart();
  const DispatchObject& data = chart.dispatch();
  for (const BadCall& c : calls) {
    Result<Variant> done = data.Invoke(*data.IdOf(c.member), c.flags, c.args);
    ASSERT_FALSE(done.ok()) << c.error;
    EXPECT_EQ(done.error().ToString(), c.error);
    OwnedOstErrorInfo last;
    EXPECT_EQ(data.object()->GetLastErrorInfo(last.get()), kOstOk);
    EXPECT_EQ(last.ToError().ToString(), c.error);
  }
  EXPECT_EQ(data.IdOf("XDatum").error().ToString(), no + "XDatum");
  EXPECT_EQ(data.Get(99999).error().ToString(), no + "member #99999 of clsData");
  EXPECT_EQ(data.GetByName("CType")->ToInteger().value(), 0);  // nothing was stored
}

OstVariant Raw(std::uint16_t type, OstArray* array = nullptr) {
  OstVariant v{type, {}};
  v.array = array;
  return v;
}

OstArray* RawArray(std::uint16_t element, std::uint16_t rank, OstBounds first) {
  auto* array = static_cast<OstArray*>(std::malloc(sizeof(OstArray)));
  *array = OstArray{element, rank, {first, {0, 1}}, nullptr};
  return array;
}

// Values the library cannot read are refused with error 13, not read beyond their memory.
TEST(DispatchTest, BrokenValuesAreRefused) {
  const std::string broken =
      "error 13: argument 1: Type mismatch: a value from across the boundary is broken: ";
  struct Case {
    OstVariant value;
    std::string error;
  };
  OstVariant bad_string = Raw(kOstVtString);
  bad_string.string = OstString{nullptr, 5};
  Case cases[] = {
      {Raw(0x77), broken + "type 0x77"},
      {Raw(kOstVtArray | kOstVtSingle), broken + "an array tag without an array"},
      {Raw(kOstVtArray | kOstVtSingle, RawArray(kOstVtSingle, 3, {0, 1})),
       broken + "an array of 3 dimensions"},
      {Raw(kOstVtArray | kOstVtSingle, RawArray(kOstVtSingle, 1, {5, 2})),
       broken + "bounds 5 to 2"},
      {Raw(kOstVtArray | kOstVtSingle, RawArray(kOstVtSingle, 1, {0, 9})),
       broken + "an array without its elements"},
      {Raw(kOstVtArray | kOstVtSingle, RawArray(kOstVtLong, 1, {0, -1})),
       broken + "an array tagged 0x2004 holding elements of type 0x3"},
      {Raw(kOstVtArray | kOstVtSingle, RawArray(kOstVtSingle, 2, {0, 1 << 24})),
       "error 6: argument 1: Overflow: an array of more than 16777216 elements cannot cross the "
       "boundary"},
      {bad_string, broken + "a string without its bytes"},
  };
  ChartObject chart = NewChart();
  IOstDispatch& data = *chart.dispatch().object().get();
  const std::int32_t quick = *chart.dispatch().IdOf("QuickXData");
  for (Case& c : cases) {
    OwnedOstErrorInfo error;
    EXPECT_EQ(data.Invoke(quick, kOstDispatchPut, &c.value, 1, nullptr, error.get()),
              kOstException);
    EXPECT_EQ(error.ToError().ToString(), c.error);
    OstVariantClear(&c.value);
  }
  EXPECT_EQ(data.Invoke(quick, kOstDispatchPut, nullptr, 1, nullptr, nullptr), kOstPointer);
  EXPECT_EQ(data.Invoke(quick, kOstDispatchPut, nullptr, -1, nullptr, nullptr), kOstException);
}

}  // namespace
}  // namespace ostrevin
