#ifndef OSTREVIN_TESTS_ENGINE_SIGNAL_BENCH_H_
#define OSTREVIN_TESTS_ENGINE_SIGNAL_BENCH_H_

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart_builder.h"
#include "engine/report_text.h"
#include "engine/signal_tests.h"
#include "settings/diagnosis_settings.h"
#include "settings/memory_store.h"

namespace ostrevin {

// One split of `places` places labelled `label`1.., each on the central line 10 and holding a
// value, with lines 13/10/7 (so the SD is 1) in both graphs; runs one signal test at a time.
class SignalTestBench : public ::testing::Test {
 protected:
  explicit SignalTestBench(std::int16_t places, const std::string& label = "D") {
    const auto last = static_cast<std::int16_t>(places - 1);
    chart.Splits({0, places}).Lines(0, 0, last, 13, 10, 7).Lines(1, 0, last, 13, 10, 7);
    for (std::int16_t p = 0; p < places; ++p) {
      chart.Values({10}, p);
      data().SetHAxL(p, label + std::to_string(p + 1)).ValueOrThrow();
    }
  }
  clsData& data() { return chart.data(); }

  // The findings of test `id` over `values` put at places 0..; each place's flag is left as it
  // is. The split starts at record split_first and the run at record run_first. The test runs
  // twice: working out each record's SD and zones per call, and as the run driver runs it, with
  // the split's memos of them; both must find the same.
  std::string Run(TestId id, const std::vector<float>& values, std::int16_t run_first = 0,
                  std::int16_t split_first = 0, std::int16_t graph = 0) {
    std::vector<PointRecord> records;
    for (std::int16_t p = 0; p < static_cast<std::int16_t>(values.size()); ++p) {
      data().SetPGV(p, values[static_cast<std::size_t>(p)]).ValueOrThrow();
      records.push_back(MakePointRecord(data(), graph, p).ValueOrThrow());
    }
    const auto last = static_cast<std::int16_t>(records.size() - 1);
    const TestChoice choice = ReadTestChoice(settings);
    TestResult result = ostrevin::Test(id)
                            .run({data(), records, graph, 0, split_first, run_first, last, choice})
                            .ValueOrThrow();
    const HorizontalLimits horizontal0(data(), 0);
    RecordMemo<float> sd{std::vector<float>(records.size(), std::nanf(""))};
    RecordMemo<std::uint8_t> zones{std::vector<std::uint8_t>(records.size())};
    const TestResult remembered = ostrevin::Test(id)
                                      .run({data(), records, graph, 0, split_first, run_first, last,
                                            choice, &horizontal0, &sd, &zones})
                                      .ValueOrThrow();
    explanation = result.explanation;
    findings = result.blocks.empty() ? std::vector<Finding>() : result.blocks[0].findings;
    const std::string found = FormatFindings(data(), id, result).ValueOrThrow();
    EXPECT_EQ(FormatFindings(data(), id, remembered).ValueOrThrow(), found);
    EXPECT_EQ(remembered.explanation, explanation);
    return found;
  }

  ChartBuilder chart{-2};
  MemoryStore store;
  DiagnosisSettings settings{store};
  std::string explanation;
  std::vector<Finding> findings;  // of the last Run's first block
};

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_ENGINE_SIGNAL_BENCH_H_
