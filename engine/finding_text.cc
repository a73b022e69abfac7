#include "engine/finding_text.h"

#include "addon/cls_data.h"
#include "engine/signal_tests.h"

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
  const TestEntry& t = Test(test);
  const std::string_view words = f.direction < 0 ? t.down : t.up;
  switch (t.line) {
    case LineShape::kPoint:
      return "Point " + PointText(data, f.first_place) + std::string(t.up);
    case LineShape::kRun:
      return RunText(data, f, words);
    case LineShape::kRange:
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
