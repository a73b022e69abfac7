#ifndef OSTREVIN_ENGINE_TEST_TABLE_H_
#define OSTREVIN_ENGINE_TEST_TABLE_H_

#include <span>
#include <string_view>

#include "engine/findings.h"

namespace ostrevin {

// When a test variant runs: on the moving-range graph of a measurements chart only, everywhere
// else only, or everywhere.
enum class MovingRangeCase : std::uint8_t { kOnly, kNever, kAny };

struct TestEntry {
  TestId id;
  std::string_view key;  // the switch in section "CheckFor"
  MovingRangeCase mr;
  TestFunction run;  // null while the test is not built: it then behaves as switched off
};

// Every test variant in the order the run driver runs them.
std::span<const TestEntry> AllTests();
const TestEntry& Test(TestId id);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_TEST_TABLE_H_
