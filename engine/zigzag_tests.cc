#include "engine/zigzag_tests.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "addon/cls_data.h"
#include "engine/report_text.h"
#include "engine/run_tests.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {
namespace {

// The largest R whose 2R is still a 16-bit count.
constexpr std::int32_t kMaxRepeats = std::numeric_limits<std::int16_t>::max() / 2;

constexpr std::int16_t kNoValue = 2;

struct Options {
  bool about;
  bool from1SD;
  bool distance;
  bool Any() const { return about || from1SD || distance; }
};

const PointRecord& At(const TestArgs& args, std::int32_t k) {
  return args.records[static_cast<std::size_t>(k)];
}

Result<bool> Applies(const TestArgs& args, const Options& o) {
  const clsData& d = args.data;
  if (d.CType() == -1 && args.graph == 1) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const bool horizontal, SplitIsHorizontal(args));
  if (!horizontal) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(args.limitSplit));
  if (none != 0 && o.Any()) return false;
  // Without limits there is no SD to measure the options' distances by.
  if (d.CType() == 0) return !(o.from1SD || o.distance);
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t run, d.SplitRun(args.limitSplit));
  return !(run != 0 && (o.from1SD || o.distance));
}

std::string Explanation(std::int32_t repeats, const Options& o) {
  std::string text = "Zigzagging pattern repeating itself " + std::to_string(repeats) +
                     " times (i.e. " + std::to_string(2 * repeats) + " consecutive points)";
  if (o.Any()) {
    text += " with the following options: ";
    text += kCrLf;
    auto option = [&text](bool on, std::string_view line) {
      if (on) text += "          " + std::string(line) + std::string(kCrLf);
    };
    option(o.about, "zigzagging must be about the central line,");
    option(o.from1SD, "the points must lie at least 1SD away from the central line,");
    option(o.distance,
           "there must be a distance of at least 1SD between any two consecutive points,");
    text.resize(text.size() - 3);  // the last option's comma and line break
  }
  text += '.';
  return text;
}

// Which way the chart goes from record a to record b: 1 up, -1 down, 0 no change (also a change
// smaller than sd when `distance`), 2 when either has no value.
std::int16_t StepClass(const PointRecord& a, const PointRecord& b, bool distance, float sd) {
  if (a.ValueFlag == 0 || b.ValueFlag == 0) return kNoValue;
  const float from = a.Value;
  float to = b.Value;
  if (distance && std::fabs(to - from) < sd) to = from;
  return to > from ? 1 : (to < from ? -1 : 0);
}

// Where record k lies (mode 1) or which way the chart goes from it (mode 2).
std::int16_t PointClass(const TestArgs& args, std::int32_t k, std::int32_t last, const Options& o,
                        float cl, float sd) {
  const PointRecord& r = At(args, k);
  if (!o.about && !o.from1SD) return k < last ? StepClass(r, At(args, k + 1), o.distance, sd) : 0;
  if (r.ValueFlag == 0) return kNoValue;
  if (o.from1SD) {
    const float hi = cl + sd;
    const float lo = cl - sd;
    return r.Value > hi ? 1 : (r.Value < lo ? -1 : 0);
  }
  if (IsAboveLine(r, LineCentre, false)) return 1;
  return IsBelowLine(r, LineCentre, false) ? -1 : 0;
}

// alternates[i]: records scan.first + i and the one after it have classes 1 and -1 (either way
// round). About the central line alone, option distance also wants them one SD apart.
std::vector<bool> AlternatingPairs(const TestArgs& args, ScanRange scan, const Options& o, float cl,
                                   float sd) {
  const auto count = static_cast<std::size_t>(scan.last - scan.first + 1);
  std::vector<std::int16_t> classes(count);
  for (std::size_t i = 0; i < count; ++i)
    classes[i] = PointClass(args, scan.first + static_cast<std::int32_t>(i), scan.last, o, cl, sd);
  const bool apart = o.about && !o.from1SD && o.distance;
  std::vector<bool> alternates(count, false);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (classes[i] * classes[i + 1] != -1) continue;
    const auto k = scan.first + static_cast<std::int32_t>(i);
    alternates[i] = !apart || std::fabs(At(args, k + 1).Value - At(args, k).Value) >= sd;
  }
  return alternates;
}

// The alternating pairs of every window of n records that holds at least n - mode of them. The
// windows' counts come from running totals, and each pair is marked at most once.
std::vector<bool> MarkWindows(const std::vector<bool>& alternates, std::int32_t n,
                              std::int32_t mode) {
  std::vector<bool> marks(alternates.size(), false);
  const auto count = static_cast<std::int32_t>(alternates.size());
  std::vector<std::int32_t> before(alternates.size() + 1, 0);  // alternating pairs before each
  for (std::size_t k = 0; k < alternates.size(); ++k) before[k + 1] = before[k] + alternates[k];
  std::int32_t marked_to = -1;
  for (std::int32_t s = 0; s + n <= count; ++s) {
    const std::int32_t end = s + n - 2;  // the window's last pair
    if (before[static_cast<std::size_t>(end) + 1] - before[static_cast<std::size_t>(s)] < n - mode)
      continue;
    for (std::int32_t k = std::max(s, marked_to + 1); k <= end; ++k) {
      if (alternates[static_cast<std::size_t>(k)]) marks[static_cast<std::size_t>(k)] = true;
    }
    marked_to = std::max(marked_to, end);
  }
  return marks;
}

// One line per run of n - mode consecutive marks; such a run of pairs covers mode more records.
FindingBlock Stretches(const TestArgs& args, ScanRange scan, const std::vector<bool>& marks,
                       std::int32_t n, std::int32_t mode) {
  FindingBlock block;
  const auto need = static_cast<std::int16_t>(n - mode);
  std::int16_t pos = 0;
  for (Run run = FindRun(pos, marks, need, need); run.start >= 0;
       run = FindRun(pos, marks, need, need)) {
    const std::int32_t first = scan.first + run.start;
    const std::int32_t last = scan.first + run.end + mode;
    block.findings.push_back(RecordsFinding(args.records, static_cast<std::int16_t>(first),
                                            static_cast<std::int16_t>(last),
                                            static_cast<std::int16_t>(last - first + 1), 0));
  }
  return block;
}

}  // namespace

Result<TestResult> DiagnoseZigZag(const TestArgs& args) {
  const TestChoice& choice = args.choice;
  const std::int32_t repeats = choice.Threshold(TestId::kZigZag);
  const std::int32_t n = 2 * repeats;
  Options o{choice.zigzag_about_centre, choice.zigzag_from_1sd, choice.zigzag_at_least_1sd};
  const ScanRange scan = RecordsToScan(args, n - 1);
  OSTREVIN_ASSIGN_OR_RETURN(const bool applies, Applies(args, o));
  if (!applies) return TestResult{};
  OSTREVIN_ASSIGN_OR_RETURN(const float cl, SegmentCentre(args.data, args.graph, args.limitSplit));
  float sd = -1.0f;
  if (scan.first <= scan.last) {
    OSTREVIN_ASSIGN_OR_RETURN(sd, GetSD(args, At(args, scan.first)));
  }
  if (sd < 0.0f) o.from1SD = o.distance = false;
  TestResult result{Explanation(repeats, o), {}};
  if (repeats < 1 || repeats > kMaxRepeats || scan.first > scan.last) return result;
  const std::int32_t mode = o.about || o.from1SD ? 1 : 2;
  const std::vector<bool> marks = MarkWindows(AlternatingPairs(args, scan, o, cl, sd), n, mode);
  if (std::find(marks.begin(), marks.end(), true) == marks.end()) return result;
  result.blocks.push_back(Stretches(args, scan, marks, n, mode));
  return result;
}

}  // namespace ostrevin
