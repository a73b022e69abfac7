#include "engine/finding_text.h"

#include "addon/cls_data.h"
#include "engine/signal_tests.h"

namespace ostrevin {
namespace {

std::string RangeText(const PlaceLabels& labels, const Finding& f) {
  return PointText(labels, f.first_place) + " to " + PointText(labels, f.last_place);
}

std::string RunText(const PlaceLabels& labels, const Finding& f, std::string_view middle) {
  return std::to_string(f.count) + " consecutive points were found to be" + std::string(middle) +
         RangeText(labels, f);
}

std::string LineText(const PlaceLabels& labels, TestId test, const Finding& f) {
  const TestEntry& t = Test(test);
  const std::string_view words = f.direction < 0 ? t.down : t.up;
  switch (t.line) {
    case LineShape::kPoint:
      return "Point " + PointText(labels, f.first_place) + std::string(t.up);
    case LineShape::kRun:
      return RunText(labels, f, words);
    case LineShape::kRange:
      return RangeText(labels, f);
  }
  return {};
}

}  // namespace

void NoteLabels(const clsData& data, const TestResult& result, PlaceLabels& labels) {
  auto note = [&](std::int16_t place) {
    if (!labels.contains(place)) labels.emplace(place, data.HAxL(place));
  };
  for (const FindingBlock& block : result.blocks) {
    for (const Finding& f : block.findings) {
      note(f.first_place);
      note(f.last_place);
    }
  }
}

std::string PointText(const PlaceLabels& labels, std::int16_t place) {
  return labels.at(place) + " (" + std::to_string(std::int32_t{place} + 1) + ")";
}

std::string FormatFindings(const PlaceLabels& labels, TestId test, const TestResult& result) {
  std::string text;
  for (const FindingBlock& block : result.blocks) {
    if (!block.heading.empty()) text += block.heading + std::string(kCrLf);
    for (const Finding& f : block.findings) text += LineText(labels, test, f) + std::string(kCrLf);
    text += kCrLf;
  }
  return text;
}

std::string FormatFindings(const clsData& data, TestId test, const TestResult& result) {
  PlaceLabels labels;
  NoteLabels(data, result, labels);
  return FormatFindings(labels, test, result);
}

}  // namespace ostrevin
