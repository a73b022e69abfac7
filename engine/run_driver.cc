#include "engine/run_driver.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <optional>
#include <thread>

#include "addon/cls_data.h"
#include "engine/report_text.h"
#include "engine/signal_tests.h"
#include "platform/platform.h"
#include "platform/recording_platform.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {
namespace {

constexpr std::string_view kExtrasWarning =
    "The extra values (fixed control lines) have probably been read incorrectly perhaps due to the "
    "'extras' split referring to an earlier split. Contact Halcyra.";

enum class SummarySet { kAll, kCentre, kNone };

std::int16_t FirstSplit(const clsData& d, std::int16_t start) {
  for (std::int16_t i = 0; i < d.Splitp(); ++i) {
    if (d.Split(i) <= start && start <= d.Split(i + 1) - 1) return i;
  }
  return 0;
}

// The split's kind text and which lines its summary shows.
std::pair<std::string, SummarySet> KindOf(const clsData& d, std::int16_t i, std::int16_t limit) {
  std::pair<std::string, SummarySet> kind{"", SummarySet::kAll};
  if (d.NewXV(i) != 0) {
    kind.first = "Extra Values (control limits fixed)";
    kind.second = d.SplitRun(limit) != 0    ? SummarySet::kCentre
                  : d.SplitNone(limit) != 0 ? SummarySet::kNone
                                            : SummarySet::kAll;
  } else if (d.SplitRun(i) != 0) {
    kind = {"Run Split (only central line)", SummarySet::kCentre};
  } else if (d.SplitNone(i) != 0) {
    kind = {"No Limits and no central line", SummarySet::kNone};
  } else if (d.ManualLim() != 0 && i == 0) {
    kind.first = "Limits Set Manuallly";
  }
  if (d.CType() == 0) kind.second = SummarySet::kCentre;
  return kind;
}

SplitSummary Summarise(const clsData& d, std::int16_t graph, std::int16_t i, std::int16_t limit,
                       SummarySet set, const HorizontalLimits& horizontal0) {
  SplitSummary summary;
  summary.horizontal = graph == 0 ? horizontal0() : LimitsAreHorizontal(d, graph, limit);
  if (!summary.horizontal || set == SummarySet::kNone) return summary;
  const std::int16_t first = d.Split(i);
  auto add = [&](SummaryLine::Line line, bool visible, auto value) {
    summary.lines.push_back({line, visible, visible ? value() : 0.0f});
  };
  if (set == SummarySet::kAll)
    add(SummaryLine::kLCL, d.PointStatsblnLclVisible(first, graph),
        [&] { return d.Lcl(limit + 1, graph); });
  add(SummaryLine::kCentre, d.PointStatsblnCentreVisible(first, graph),
      [&] { return SegmentCentre(d, graph, limit); });
  if (set == SummarySet::kAll)
    add(SummaryLine::kUCL, d.PointStatsblnUclVisible(first, graph),
        [&] { return d.Ucl(limit + 1, graph); });
  return summary;
}

// Runs the switched-on tests over the split's records and notes new explanation lines.
void RunTests(const TestArgs& args, bool mr_case, SplitDiagnosis& split, GraphDiagnosis& graph) {
  for (const TestEntry& test : AllTests()) {
    if (test.mr == MovingRangeCase::kOnly && !mr_case) continue;
    if (test.mr == MovingRangeCase::kNever && mr_case) continue;
    if (test.run == nullptr || !args.choice.on[static_cast<std::size_t>(test.id)]) continue;
    TestResult result = test.run(args);
    const bool listed =
        std::find(graph.explained.begin(), graph.explained.end(), test.id) != graph.explained.end();
    if (!result.explanation.empty() && !listed) graph.explained.push_back(test.id);
    split.outcomes.push_back({test.id, std::move(result)});
  }
}

void DiagnoseSplit(const clsData& d, std::int16_t graph, std::int16_t i, std::int16_t start,
                   std::int16_t end, const TestChoice& choice, Platform& platform,
                   GraphDiagnosis& out) {
  SplitDiagnosis split;
  split.split = i;
  split.limit_split = d.NewXV(i) != 0 ? static_cast<std::int16_t>(i - 1) : i;
  if (d.NewXV(i) != 0 && d.NewXV(i) != -1)
    platform.MessageBox(kExtrasWarning, MessageIcon::kExclamation);
  const std::int32_t split_end = std::min<std::int32_t>(d.Split(i + 1) - 1, end);
  split.first_place = d.Split(i);
  auto [kind, set] = KindOf(d, i, split.limit_split);
  split.kind = std::move(kind);
  const HorizontalLimits horizontal0(d, split.limit_split);
  split.summary = Summarise(d, graph, i, split.limit_split, set, horizontal0);

  // No test looks at a record before the split's first place, so the records start there.
  const std::int16_t run_start = std::max(split.first_place, start);
  const std::int32_t first = std::max<std::int16_t>(split.first_place, 0);
  std::optional<std::vector<PointRecord>> stored =
      PointRecordsFromStorage(d, graph, first, split_end);
  std::vector<PointRecord> records;
  if (stored) {
    records = std::move(*stored);
  } else {
    for (std::int32_t j = first; j <= split_end; ++j) {
      const auto place = static_cast<std::int16_t>(j);
      if (d.PGVI(place) != 0) records.push_back(MakePointRecord(d, graph, place));
    }
  }
  std::int16_t run_first = -1;
  for (std::size_t k = 0; k < records.size() && run_first < 0; ++k) {
    if (records[k].Place >= run_start) run_first = static_cast<std::int16_t>(k);
  }
  if (run_first >= 0) {
    const auto last = static_cast<std::int16_t>(records.size() - 1);
    std::vector<float> sd(records.size(), std::nanf(""));
    std::vector<std::uint8_t> zones(records.size(), 0xFF);
    const TestArgs args{d,         records, graph,  split.limit_split, 0,
                        run_first, last,    choice, &horizontal0,      &sd,
                        &zones};
    RunTests(args, d.CType() == -1 && graph == 1, split, out);
  }
  out.splits.push_back(std::move(split));
}

// Below this many places a second thread costs more than it saves.
constexpr std::int32_t kPlacesForTwoThreads = 4096;

// The split where the places from `start` to `end` are about halved, for a chart large enough to
// be diagnosed on two threads; `first` (no halves) otherwise.
std::int16_t MiddleSplit(const clsData& d, std::int16_t first, std::int16_t start,
                         std::int16_t end) {
  const std::int32_t from = std::max(d.Split(first), start);
  if (std::int32_t{end} - from + 1 < kPlacesForTwoThreads) return first;
  const std::int32_t half = from + (std::int32_t{end} - from) / 2;
  for (std::int16_t i = static_cast<std::int16_t>(first + 1); i < d.Splitp(); ++i) {
    if (d.Split(i) > end) break;
    if (d.Split(i) >= half) return i;
  }
  return first;
}

}  // namespace

GraphDiagnosis RunGraph(const clsData& d, std::int16_t graph, std::int16_t start, std::int16_t end,
                        const DiagnosisSettings& settings, Platform& platform) {
  return RunGraph(d, graph, start, end, ReadTestChoice(settings), platform);
}

GraphDiagnosis RunGraph(const clsData& d, std::int16_t graph, std::int16_t start, std::int16_t end,
                        const TestChoice& choice, Platform& platform) {
  GraphDiagnosis out;
  if (d.CType() == -7) {
    out.cusum_refused = true;
    return out;
  }
  const std::int16_t first = FirstSplit(d, start);
  const std::int16_t middle = MiddleSplit(d, first, start, end);
  if (middle <= first) {
    for (std::int16_t i = first; i < d.Splitp(); ++i)
      DiagnoseSplit(d, graph, i, start, end, choice, platform, out);
    return out;
  }
  // The splits from the middle one on are diagnosed on a second thread meanwhile. Its warnings
  // wait until the splits before it are done, and are then shown in order; an error stops the
  // diagnosis where one thread would have stopped it.
  GraphDiagnosis later;
  RecordingPlatform later_messages;
  std::exception_ptr failed;
  std::thread second([&] {
    try {
      for (std::int16_t i = middle; i < d.Splitp(); ++i)
        DiagnoseSplit(d, graph, i, start, end, choice, later_messages, later);
    } catch (...) {
      failed = std::current_exception();
    }
  });
  try {
    for (std::int16_t i = first; i < middle; ++i)
      DiagnoseSplit(d, graph, i, start, end, choice, platform, out);
  } catch (...) {
    second.join();
    throw;
  }
  second.join();
  for (const RecordingPlatform::Message& m : later_messages.messages)
    platform.MessageBox(m.text, m.icon, m.title);
  if (failed) std::rethrow_exception(failed);
  std::move(later.splits.begin(), later.splits.end(), std::back_inserter(out.splits));
  for (TestId id : later.explained) {
    if (std::find(out.explained.begin(), out.explained.end(), id) == out.explained.end())
      out.explained.push_back(id);
  }
  return out;
}

std::vector<ListedExplanation> ListedExplanations(const GraphDiagnosis& diagnosis) {
  std::vector<ListedExplanation> lines;
  for (TestId id : diagnosis.explained) {
    for (const SplitDiagnosis& split : diagnosis.splits) {
      auto o = std::find_if(
          split.outcomes.begin(), split.outcomes.end(),
          [&](const TestOutcome& o) { return o.test == id && !o.result.explanation.empty(); });
      if (o == split.outcomes.end()) continue;
      lines.push_back({id, o->result.explanation});
      break;
    }
  }
  return lines;
}

void NoteLabels(const clsData& d, const GraphDiagnosis& diagnosis, PlaceLabels& labels) {
  for (const SplitDiagnosis& split : diagnosis.splits) {
    labels.Note(split.first_place, [&] { return d.HAxL(split.first_place); });
    for (const TestOutcome& outcome : split.outcomes) NoteLabels(d, outcome.result, labels);
  }
}

GraphText DiagnoseGraph(const clsData& d, std::int16_t graph, std::int16_t start, std::int16_t end,
                        const DiagnosisSettings& settings, Platform& platform) {
  GraphDiagnosis diagnosis = RunGraph(d, graph, start, end, settings, platform);
  PlaceLabels labels;
  NoteLabels(d, diagnosis, labels);
  std::string explanations;
  for (const ListedExplanation& e : ListedExplanations(diagnosis))
    (explanations += e.text) += kCrLf;
  return {RenderGraph(labels, diagnosis), explanations};
}

}  // namespace ostrevin
