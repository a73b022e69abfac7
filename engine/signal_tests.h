#ifndef OSTREVIN_ENGINE_SIGNAL_TESTS_H_
#define OSTREVIN_ENGINE_SIGNAL_TESTS_H_

#include <span>
#include <string_view>

#include "engine/findings.h"

namespace ostrevin {

class DiagnosisSettings;

// When a test variant runs: on the moving-range graph of a measurements chart only, everywhere
// else only, or everywhere.
enum class MovingRangeCase : std::uint8_t { kOnly, kNever, kAny };

// How a finding line reads (settings/tests.def).
enum class LineShape : std::uint8_t { kPoint, kRun, kRange };

// What a finding's direction means: a side of the centre line, a trend's way, or nothing.
enum class FindingWay : std::uint8_t { kSide, kTrend, kNone };

struct TestEntry {
  TestId id;
  std::string_view key;        // the switch in section "CheckFor"
  std::string_view threshold;  // the number in section "Significances"; empty: none
  std::string_view threshold_default;
  MovingRangeCase mr;
  TestFunction run;
  LineShape line;
  std::string_view up;    // the words of a line above or upwards (or without a direction)
  std::string_view down;  // the words of a line below or downwards
  FindingWay way;
};

// Every test variant in the order the run driver runs them.
std::span<const TestEntry> AllTests();
const TestEntry& Test(TestId id);

// The switches, thresholds and zigzag options of `settings`, each read once.
TestChoice ReadTestChoice(const DiagnosisSettings& settings);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_SIGNAL_TESTS_H_
