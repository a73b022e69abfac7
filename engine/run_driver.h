#ifndef OSTREVIN_ENGINE_RUN_DRIVER_H_
#define OSTREVIN_ENGINE_RUN_DRIVER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "engine/findings.h"

namespace ostrevin {

class DiagnosisSettings;
class Platform;

// The limit summary of a split: which of LCL, Centre and UCL it shows, and their values.
struct SummaryLine {
  enum Line : std::uint8_t { kLCL, kCentre, kUCL };
  Line line;
  bool visible;  // false: the line does not exist at the split's first place ("n/a")
  float value;
};
struct SplitSummary {
  bool horizontal = true;  // false: no meaningful summary can be given
  std::vector<SummaryLine> lines;
};

struct TestOutcome {
  TestId test;
  TestResult result;
};

// One split of one graph: its heading, kind, summary and what the switched-on tests found.
struct SplitDiagnosis {
  std::int16_t split = 0;
  std::int16_t first_place = 0;
  std::int16_t limit_split = 0;
  std::string kind;  // "Run Split (only central line)" and the like, or empty
  SplitSummary summary;
  std::vector<TestOutcome> outcomes;  // the tests that ran, in order
};

struct GraphDiagnosis {
  bool cusum_refused = false;
  std::vector<SplitDiagnosis> splits;
  std::vector<TestId> explained;  // tests whose explanation line is listed, in order
};

// The explanation line of each test the graph lists, in the order listed: the one its result
// gave in the first split where it gave one.
struct ListedExplanation {
  TestId test;
  std::string_view text;  // into the diagnosis
};
std::vector<ListedExplanation> ListedExplanations(const GraphDiagnosis& diagnosis);

// Diagnoses one graph from place `start` to place `end`, split by split, running the tests
// switched on in `settings`. Shows the extras-split warning through `platform`. A container error
// (an index outside an array) stops it and comes back unchanged.
Result<GraphDiagnosis> RunGraph(const clsData& data, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const DiagnosisSettings& settings,
                                Platform& platform);
// The same with the choice of tests read already (signal_tests.h), for many diagnoses by one.
// With `labels`, also notes the labels the graph's text names into it (NoteLabels below), each
// on the thread that diagnosed its split; an error noting them comes after any error of the
// diagnosis, as when they are noted after it.
Result<GraphDiagnosis> RunGraph(const clsData& data, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const TestChoice& choice, Platform& platform,
                                PlaceLabels* labels = nullptr);

// Notes the label of every place the graph's text names, in the order the text names them (each
// split's first place, then its findings), so that a label outside HAxL fails while composing,
// never while writing.
Status NoteLabels(const clsData& data, const GraphDiagnosis& diagnosis, PlaceLabels& labels);

struct GraphText {
  std::string text;
  std::string explanations;  // the listed explanations, each ending in a line break
};
// RunGraph and RenderGraph (report_text.h) together: the graph's report text and its explanation
// list.
Result<GraphText> DiagnoseGraph(const clsData& data, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const DiagnosisSettings& settings,
                                Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_RUN_DRIVER_H_
