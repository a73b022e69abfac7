#include "engine/run_driver.h"

#include <algorithm>
#include <atomic>
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

Result<std::int16_t> FirstSplit(const clsData& d, std::int16_t start) {
  for (std::int16_t i = 0; i < d.Splitp(); ++i) {
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t from, d.Split(i));
    if (from > start) continue;
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t next, d.Split(i + 1));
    if (start <= next - 1) return i;
  }
  return std::int16_t{0};
}

// The kind text of a split without extra values, and which lines its summary shows.
Result<std::pair<std::string, SummarySet>> PlainKindOf(const clsData& d, std::int16_t i) {
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t run, d.SplitRun(i));
  if (run != 0)
    return std::pair<std::string, SummarySet>{"Run Split (only central line)", SummarySet::kCentre};
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(i));
  if (none != 0)
    return std::pair<std::string, SummarySet>{"No Limits and no central line", SummarySet::kNone};
  if (d.ManualLim() != 0 && i == 0)
    return std::pair<std::string, SummarySet>{"Limits Set Manuallly", SummarySet::kAll};
  return std::pair<std::string, SummarySet>{"", SummarySet::kAll};
}

// The split's kind text and which lines its summary shows.
Result<std::pair<std::string, SummarySet>> KindOf(const clsData& d, std::int16_t i,
                                                  std::int16_t limit) {
  std::pair<std::string, SummarySet> kind{"", SummarySet::kAll};
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t extras, d.NewXV(i));
  if (extras != 0) {
    kind.first = "Extra Values (control limits fixed)";
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t run, d.SplitRun(limit));
    if (run != 0) {
      kind.second = SummarySet::kCentre;
    } else {
      OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t none, d.SplitNone(limit));
      kind.second = none != 0 ? SummarySet::kNone : SummarySet::kAll;
    }
  } else {
    OSTREVIN_ASSIGN_OR_RETURN(kind, PlainKindOf(d, i));
  }
  if (d.CType() == 0) kind.second = SummarySet::kCentre;
  return kind;
}

Result<SplitSummary> Summarise(const clsData& d, std::int16_t graph, std::int16_t i,
                               std::int16_t limit, SummarySet set,
                               const HorizontalLimits& horizontal0) {
  SplitSummary summary;
  if (graph == 0) {
    OSTREVIN_ASSIGN_OR_RETURN(summary.horizontal, horizontal0());
  } else {
    OSTREVIN_ASSIGN_OR_RETURN(summary.horizontal, LimitsAreHorizontal(d, graph, limit));
  }
  if (!summary.horizontal || set == SummarySet::kNone) return summary;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t first, d.Split(i));
  summary.lines.reserve(3);
  // A line's value is read only where the line is visible.
  auto add = [&](SummaryLine::Line line, const Result<bool>& visible, auto value) -> Status {
    if (!visible) return visible.error();
    float shown = 0.0f;
    if (*visible) {
      OSTREVIN_ASSIGN_OR_RETURN(shown, value());
    }
    summary.lines.push_back({line, *visible, shown});
    return Ok{};
  };
  if (set == SummarySet::kAll) {
    OSTREVIN_RETURN_IF_ERROR(add(SummaryLine::kLCL, d.PointStatsblnLclVisible(first, graph),
                                 [&] { return d.Lcl(limit + 1, graph); }));
  }
  OSTREVIN_RETURN_IF_ERROR(add(SummaryLine::kCentre, d.PointStatsblnCentreVisible(first, graph),
                               [&] { return SegmentCentre(d, graph, limit); }));
  if (set == SummarySet::kAll) {
    OSTREVIN_RETURN_IF_ERROR(add(SummaryLine::kUCL, d.PointStatsblnUclVisible(first, graph),
                                 [&] { return d.Ucl(limit + 1, graph); }));
  }
  return summary;
}

// Runs the switched-on tests over the split's records and notes new explanation lines.
Status RunTests(const TestArgs& args, bool mr_case, SplitDiagnosis& split, GraphDiagnosis& graph) {
  split.outcomes.reserve(AllTests().size());
  for (const TestEntry& test : AllTests()) {
    if (test.mr == MovingRangeCase::kOnly && !mr_case) continue;
    if (test.mr == MovingRangeCase::kNever && mr_case) continue;
    if (test.run == nullptr || !args.choice.on[static_cast<std::size_t>(test.id)]) continue;
    OSTREVIN_ASSIGN_OR_RETURN(TestResult result, test.run(args));
    const bool listed =
        std::find(graph.explained.begin(), graph.explained.end(), test.id) != graph.explained.end();
    if (!result.explanation.empty() && !listed) graph.explained.push_back(test.id);
    split.outcomes.push_back({test.id, std::move(result)});
  }
  return Ok{};
}

// The records of the split's places first..last that hold a value, read from the typed storage
// when it covers them, else one by one.
Result<std::vector<PointRecord>> SplitRecords(const clsData& d, std::int16_t graph,
                                              std::int32_t first, std::int32_t last) {
  if (std::optional<std::vector<PointRecord>> stored =
          PointRecordsFromStorage(d, graph, first, last))
    return std::move(*stored);
  std::vector<PointRecord> records;
  for (std::int32_t j = first; j <= last; ++j) {
    const auto place = static_cast<std::int16_t>(j);
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t flag, d.PGVI(place));
    if (flag == 0) continue;
    OSTREVIN_ASSIGN_OR_RETURN(PointRecord record, MakePointRecord(d, graph, place));
    records.push_back(record);
  }
  return records;
}

Status DiagnoseSplit(const clsData& d, std::int16_t graph, std::int16_t i, std::int16_t start,
                     std::int16_t end, const TestChoice& choice, Platform& platform,
                     GraphDiagnosis& out) {
  SplitDiagnosis split;
  split.split = i;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t extras, d.NewXV(i));
  split.limit_split = extras != 0 ? static_cast<std::int16_t>(i - 1) : i;
  if (extras != 0 && extras != -1) platform.MessageBox(kExtrasWarning, MessageIcon::kExclamation);
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t next_split, d.Split(i + 1));
  const std::int32_t split_end = std::min<std::int32_t>(next_split - 1, end);
  OSTREVIN_ASSIGN_OR_RETURN(split.first_place, d.Split(i));
  OSTREVIN_ASSIGN_OR_RETURN(auto kind_and_set, KindOf(d, i, split.limit_split));
  auto [kind, set] = std::move(kind_and_set);
  split.kind = std::move(kind);
  const HorizontalLimits horizontal0(d, split.limit_split);
  OSTREVIN_ASSIGN_OR_RETURN(split.summary,
                            Summarise(d, graph, i, split.limit_split, set, horizontal0));

  // No test looks at a record before the split's first place, so the records start there.
  const std::int16_t run_start = std::max(split.first_place, start);
  const std::int32_t first = std::max<std::int16_t>(split.first_place, 0);
  OSTREVIN_ASSIGN_OR_RETURN(std::vector<PointRecord> records,
                            SplitRecords(d, graph, first, split_end));
  std::int16_t run_first = -1;
  for (std::size_t k = 0; k < records.size() && run_first < 0; ++k) {
    if (records[k].Place >= run_start) run_first = static_cast<std::int16_t>(k);
  }
  if (run_first >= 0) {
    const auto last = static_cast<std::int16_t>(records.size() - 1);
    RecordMemo<float> sd{std::vector<float>(records.size(), std::nanf(""))};
    RecordMemo<std::uint8_t> zones{std::vector<std::uint8_t>(records.size())};
    const TestArgs args{d,         records, graph,  split.limit_split, 0,
                        run_first, last,    choice, &horizontal0,      &sd,
                        &zones};
    OSTREVIN_RETURN_IF_ERROR(RunTests(args, d.CType() == -1 && graph == 1, split, out));
  }
  out.splits.push_back(std::move(split));
  return Ok{};
}

// Below this many places a second thread costs more than it saves.
constexpr std::int32_t kPlacesForTwoThreads = 4096;

// Whether the splits from `first` on are worth diagnosing on two threads: more than one, over
// enough places.
Result<bool> TwoThreadsPay(const clsData& d, std::int16_t first, std::int16_t start,
                           std::int16_t end) {
  if (d.Splitp() - first < 2) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t first_place, d.Split(first));
  return std::int32_t{end} - std::max(first_place, start) + 1 >= kPlacesForTwoThreads;
}

// Diagnoses the splits from..to-1 (to: Splitp) into `out`; the first error stops it.
Status DiagnoseSplits(const clsData& d, std::int16_t graph, std::int16_t from, std::int16_t to,
                      std::int16_t start, std::int16_t end, const TestChoice& choice,
                      Platform& platform, GraphDiagnosis& out) {
  for (std::int16_t i = from; i < to; ++i)
    OSTREVIN_RETURN_IF_ERROR(DiagnoseSplit(d, graph, i, start, end, choice, platform, out));
  return Ok{};
}

// One split diagnosed on either thread, with what it showed and whether its labels were noted.
struct SplitWork {
  Status diagnosed = Ok{};
  Status labelled = Ok{};
  RecordingPlatform messages;
  GraphDiagnosis part;  // the one split
};

// Appends `part` to `out`, as if its split had been diagnosed into `out`.
void Append(GraphDiagnosis&& part, GraphDiagnosis& out) {
  std::move(part.splits.begin(), part.splits.end(), std::back_inserter(out.splits));
  for (TestId id : part.explained) {
    if (std::find(out.explained.begin(), out.explained.end(), id) == out.explained.end())
      out.explained.push_back(id);
  }
}

// DiagnoseSplits on two threads, then the splits' labels noted into `labels` when given. Each
// thread takes the next split not yet taken, so that neither waits for the other's start or
// its share; what either finds is then handed on in split order: the warnings, the first error
// of the diagnosis, then the first error noting labels. An error stops the taking of splits
// after it. What a thread throws (no memory) is thrown here.
Status DiagnoseSplitsOnTwoThreads(const clsData& d, std::int16_t graph, std::int16_t from,
                                  std::int16_t to, std::int16_t start, std::int16_t end,
                                  const TestChoice& choice, Platform& platform, GraphDiagnosis& out,
                                  PlaceLabels* labels) {
  std::vector<SplitWork> works(static_cast<std::size_t>(to - from));
  std::atomic<std::int32_t> next{from};
  std::atomic<bool> failed{false};
  auto work = [&](PlaceLabels* into) {
    for (std::int32_t i = next++; i < to && !failed; i = next++) {
      SplitWork& w = works[static_cast<std::size_t>(i - from)];
      w.diagnosed = DiagnoseSplit(d, graph, static_cast<std::int16_t>(i), start, end, choice,
                                  w.messages, w.part);
      if (!w.diagnosed) {
        failed = true;
      } else if (into != nullptr) {
        w.labelled = NoteLabels(d, w.part, *into);
      }
    }
  };
  PlaceLabels second_labels;
  std::exception_ptr thrown;
  std::thread second([&] {
    try {
      work(labels != nullptr ? &second_labels : nullptr);
    } catch (...) {
      failed = true;
      thrown = std::current_exception();
    }
  });
  try {
    work(labels);
  } catch (...) {
    failed = true;
    second.join();
    throw;
  }
  second.join();
  if (thrown) std::rethrow_exception(thrown);
  for (SplitWork& w : works) {
    for (const RecordingPlatform::Message& m : w.messages.messages)
      platform.MessageBox(m.text, m.icon, m.title);
    if (!w.diagnosed) return w.diagnosed;
  }
  for (const SplitWork& w : works) {
    if (!w.labelled) return w.labelled;
  }
  if (labels != nullptr) labels->Merge(std::move(second_labels));
  for (SplitWork& w : works) Append(std::move(w.part), out);
  return Ok{};
}

}  // namespace

Result<GraphDiagnosis> RunGraph(const clsData& d, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const DiagnosisSettings& settings,
                                Platform& platform) {
  return RunGraph(d, graph, start, end, ReadTestChoice(settings), platform);
}

Result<GraphDiagnosis> RunGraph(const clsData& d, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const TestChoice& choice, Platform& platform,
                                PlaceLabels* labels) {
  GraphDiagnosis out;
  if (d.CType() == -7) {
    out.cusum_refused = true;
    return out;
  }
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t first, FirstSplit(d, start));
  OSTREVIN_ASSIGN_OR_RETURN(const bool two_threads, TwoThreadsPay(d, first, start, end));
  if (two_threads) {
    OSTREVIN_RETURN_IF_ERROR(DiagnoseSplitsOnTwoThreads(d, graph, first, d.Splitp(), start, end,
                                                        choice, platform, out, labels));
    return out;
  }
  OSTREVIN_RETURN_IF_ERROR(
      DiagnoseSplits(d, graph, first, d.Splitp(), start, end, choice, platform, out));
  if (labels != nullptr) OSTREVIN_RETURN_IF_ERROR(NoteLabels(d, out, *labels));
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

Status NoteLabels(const clsData& d, const GraphDiagnosis& diagnosis, PlaceLabels& labels) {
  // The places in the order the text names them: each split's first place, then its findings'.
  std::vector<std::int16_t> places;
  for (const SplitDiagnosis& split : diagnosis.splits) {
    places.push_back(split.first_place);
    for (const TestOutcome& outcome : split.outcomes) AddNamedPlaces(outcome.result, places);
  }
  // A long chart's labels are seldom in the cache: the stored ones not noted yet are all asked
  // of the memory first, so that their loads overlap, then noted one by one.
  const VArray& stored = d.Array(MemberId::HAxL);
  if (const std::span<const std::string> texts = stored.Elements<std::string>(); !texts.empty()) {
    for (const std::int16_t place : places) {
      const std::int64_t k = stored.Flat(place);
      if (k >= 0 && labels.Find(place) == nullptr)
        __builtin_prefetch(&texts[static_cast<std::size_t>(k)]);
    }
  }
  for (const std::int16_t place : places)
    OSTREVIN_RETURN_IF_ERROR(labels.Note(place, [&] { return d.HAxL(place); }));
  return Ok{};
}

Result<GraphText> DiagnoseGraph(const clsData& d, std::int16_t graph, std::int16_t start,
                                std::int16_t end, const DiagnosisSettings& settings,
                                Platform& platform) {
  PlaceLabels labels;
  OSTREVIN_ASSIGN_OR_RETURN(
      const GraphDiagnosis diagnosis,
      RunGraph(d, graph, start, end, ReadTestChoice(settings), platform, &labels));
  std::string explanations;
  for (const ListedExplanation& e : ListedExplanations(diagnosis))
    (explanations += e.text) += kCrLf;
  return GraphText{RenderGraph(labels, diagnosis), explanations};
}

}  // namespace ostrevin
