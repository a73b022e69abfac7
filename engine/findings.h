#ifndef OSTREVIN_ENGINE_FINDINGS_H_
#define OSTREVIN_ENGINE_FINDINGS_H_

// What a test finds, as data. Tests find; FormatFindings (report_text.h) writes the report's
// lines from these, and the same data feeds machine-readable output.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/geometry.h"
#include "settings/test_id.h"

namespace ostrevin {

class clsData;

// A line break in the report: carriage return and line feed.
inline constexpr std::string_view kCrLf = "\r\n";

// The labels (HAxL) of the places a report names, read once while the report is composed. Kept
// by place, since a long report looks up thousands of them.
class PlaceLabels {
 public:
  // The label of a noted place, else nullptr.
  const std::string* Find(std::int16_t place) const {
    const std::size_t k = Index(place);
    return k < slots_.size() && slots_[k] != 0 ? &labels_[slots_[k] - 1].text : nullptr;
  }
  // The label of a noted place; throws std::out_of_range for another.
  const std::string& at(std::int16_t place) const {
    if (const std::string* label = Find(place)) return *label;
    throw std::out_of_range("no label noted for place " + std::to_string(place));
  }
  // Notes the label of `place`, from `label()` (a Result), unless it is noted already.
  template <class Label>
  Status Note(std::int16_t place, Label label) {
    if (Find(place) != nullptr) return Ok{};
    OSTREVIN_ASSIGN_OR_RETURN(std::string text, label());
    Add(place, std::move(text));
    return Ok{};
  }
  // Takes over the labels of `other` that are not noted here.
  void Merge(PlaceLabels&& other) {
    for (Noted& noted : other.labels_) {
      if (Find(noted.place) == nullptr) Add(noted.place, std::move(noted.text));
    }
  }

 private:
  struct Noted {
    std::int16_t place;
    std::string text;
  };
  // Places from 0 up come first, so that the slots of a chart's places start at the first.
  static std::size_t Index(std::int16_t place) { return static_cast<std::uint16_t>(place); }
  void Add(std::int16_t place, std::string text) {
    const std::size_t k = Index(place);
    if (k >= slots_.size()) slots_.resize(k + 1, 0);
    labels_.push_back({place, std::move(text)});
    slots_[k] = static_cast<std::uint32_t>(labels_.size());
  }

  std::vector<std::uint32_t> slots_;  // by Index(place): 1 + where its label is, 0 when none
  std::vector<Noted> labels_;
};

// One line of findings: a single point (first == last, count 1) or a run of points, by place.
struct Finding {
  std::int16_t first_place = 0;
  std::int16_t last_place = 0;
  std::int16_t count = 1;      // points in the run
  std::int16_t direction = 0;  // +1 above or upwards, -1 below or downwards, 0 neither
};

// The finding that covers records a to b of `records`.
inline Finding RecordsFinding(const std::vector<PointRecord>& records, std::int16_t a,
                              std::int16_t b, std::int16_t count, std::int16_t direction) {
  return {records[static_cast<std::size_t>(a)].Place, records[static_cast<std::size_t>(b)].Place,
          count, direction};
}

// A group of finding lines that the report closes with an empty line. Some tests open it with a
// heading; a block may hold no lines at all (it then writes the empty line alone).
struct FindingBlock {
  std::string heading;
  std::vector<Finding> findings;
};

// What one test made of one split. An empty explanation means the test did not apply.
struct TestResult {
  std::string explanation;
  std::vector<FindingBlock> blocks;
};

// The choice of tests one diagnosis makes, read from the settings once (ReadTestChoice): which
// tests are switched on, each test's threshold, and the zigzag test's options.
struct TestChoice {
  std::array<bool, kTestCount> on{};
  std::array<std::int16_t, kTestCount> threshold{};
  bool zigzag_about_centre = false;
  bool zigzag_from_1sd = false;
  bool zigzag_at_least_1sd = false;

  std::int16_t Threshold(TestId id) const { return threshold[static_cast<std::size_t>(id)]; }
};

// One value per record of a split, worked out once for all the tests of the split. Records
// done_first..done_end - 1 are known to be worked out, so that a pass over records the tests
// asked for before looks at none of them.
template <class T>
struct RecordMemo {
  std::vector<T> values;
  std::size_t done_first = 0;
  std::size_t done_end = 0;

  // Calls fill(from, to) for the stretches of records a..b - 1 not known to be worked out, in
  // record order, the first error stopping them; fill works out every record of its stretch.
  template <class Fill>
  Status Cover(std::size_t a, std::size_t b, Fill fill) {
    if (a >= b) return Ok{};
    if (done_first == done_end || b < done_first || a > done_end) {
      OSTREVIN_RETURN_IF_ERROR(fill(a, b));
      if (b - a > done_end - done_first) {
        done_first = a;
        done_end = b;
      }
      return Ok{};
    }
    if (a < done_first) {
      OSTREVIN_RETURN_IF_ERROR(fill(a, done_first));
      done_first = a;
    }
    if (b > done_end) {
      OSTREVIN_RETURN_IF_ERROR(fill(done_end, b));
      done_end = b;
    }
    return Ok{};
  }
};

// The arguments every test takes: the split's records and where in them to look.
struct TestArgs {
  const clsData& data;
  const std::vector<PointRecord>& records;
  std::int16_t graph;
  std::int16_t limitSplit;
  std::int16_t splitFirstRecord;
  std::int16_t runFirstRecord;
  std::int16_t lastRecord;
  const TestChoice& choice;
  // Graph 0's horizontality of limitSplit, remembered for the split; null: worked out per call.
  const HorizontalLimits* horizontal0 = nullptr;
  // One SD per record, NaN until worked out (also one by one, by GetSD); null: per call.
  RecordMemo<float>* sd_memo = nullptr;
  // The SD zones each record lies in (zone_tests.cc), for the records it covers; null: per call.
  RecordMemo<std::uint8_t>* zone_memo = nullptr;
};

// GetSD for a record of the split under test. With `sd_memo` each record's SD is worked out
// once for all the tests of the split (it depends on the record and the split alone).
Result<float> GetSD(const TestArgs& args, const PointRecord& record);
// The SDs of the split's records first..first + count - 1 that hold a value (NaN for the others),
// in record order, the first that fails stopping them: with the split's memos worked out in one
// pass into the SD memo and viewed there, else worked out into `own`.
Result<std::span<const float>> RecordSDs(const TestArgs& args, std::size_t first, std::size_t count,
                                         std::vector<float>& own);
// LimitsAreHorizontal of the split under test, remembered for graph 0.
Result<bool> SplitIsHorizontal(const TestArgs& args);
// Whether the split under test has limits to test and an SD: false for a chart summarised by the
// central line alone, and for a run split or a split without lines.
Result<bool> SplitHasLimits(const TestArgs& args);

// A test's findings, or the container's error that stopped it.
using TestFunction = Result<TestResult> (*)(const TestArgs& args);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_FINDINGS_H_
