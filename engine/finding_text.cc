#include "engine/finding_text.h"

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

std::string RangeText(const clsData& data, const Finding& f) {
  return PointText(data, f.first_place) + " to " + PointText(data, f.last_place);
}

std::string RunText(const clsData& data, const Finding& f, std::string_view middle) {
  return std::to_string(f.count) + " consecutive points were found to be" + std::string(middle) +
         RangeText(data, f);
}

std::string LineText(const clsData& data, TestId test, const Finding& f) {
  switch (test) {
    case TestId::kAboveUCL:
    case TestId::kAboveUCLMR:
      return "Point " + PointText(data, f.first_place) + " is ABOVE or ON the UPPER CONTROL LIMIT";
    case TestId::kBelowLCL:
      return "Point " + PointText(data, f.first_place) + " is BELOW or ON the LOWER CONTROL LIMIT";
    case TestId::kAboveBelowMean:
    case TestId::kAboveBelowMeanMR:
      return RunText(data, f,
                     f.direction < 0 ? " BELOW the centre line, starting at "
                                     : " ABOVE the centre line, starting at ");
    case TestId::kWithin1SD:
      return RunText(data, f, " within 1 Sigma either side of the centre line, starting at ");
    case TestId::kIncreasingOrDecreasing:
      return RunText(data, f,
                     f.direction < 0 ? " in a DOWNWARDS TREND, starting at "
                                     : " in an UPWARDS TREND, starting at ");
    case TestId::kZigZag:
      return RunText(data, f, " ZIGZAGGING, starting at ");
    case TestId::k2OutOf3Above:
    case TestId::k2OutOf3Below:
    case TestId::k4OutOf5Above:
    case TestId::k4OutOf5Below:
    case TestId::kExtremeSwitch:
      return RangeText(data, f);
  }
  return {};
}

}  // namespace

std::string PointText(const clsData& data, std::int16_t place) {
  return data.HAxL(place) + " (" + std::to_string(std::int32_t{place} + 1) + ")";
}

std::string FormatFindings(const clsData& data, TestId test, const TestResult& result) {
  std::string text;
  for (const FindingBlock& block : result.blocks) {
    if (!block.heading.empty()) text += block.heading + std::string(kCrLf);
    for (const Finding& f : block.findings) text += LineText(data, test, f) + std::string(kCrLf);
    text += kCrLf;
  }
  return text;
}

}  // namespace ostrevin
