#include "engine/report.h"

#include <algorithm>
#include <cctype>
#include <span>

#include "addon/cls_data.h"
#include "engine/geometry.h"
#include "engine/report_text.h"
#include "engine/signal_tests.h"
#include "platform/platform.h"

namespace ostrevin {
namespace {

PlaceName NameOf(const clsData& d, std::int16_t place) {
  return {place, d.HAxL(place)};
}

std::int16_t LastPlaceBefore(std::int16_t next) {
  return static_cast<std::int16_t>(std::max(std::int32_t{next} - 1, 0));
}

// The next place to diagnose: one past the last place from `start` to `end` with a value in the
// graph filled last, or `start` when there is none.
std::int16_t NextStart(const clsData& d, std::int16_t start, std::int16_t end) {
  for (std::int32_t q = end; q >= start; --q) {
    if (d.PGVI(static_cast<std::int16_t>(q)) != 0) return static_cast<std::int16_t>(q + 1);
  }
  return start;
}

void DiagnoseGraphs(clsData& d, const DiagnosisSettings& settings, Platform& platform,
                    Report& report) {
  const std::int16_t start = report.start->place;
  const std::int16_t end = report.end->place;
  const auto graphs = static_cast<std::int16_t>(report.graph_names.size());
  const TestChoice choice = ReadTestChoice(settings);
  for (std::int16_t g = 0; g < graphs; ++g) {
    GraphReport graph{g, report.graph_names[static_cast<std::size_t>(g)], {}, {}};
    const auto places = static_cast<std::size_t>(end) + 1;
    std::optional<std::vector<PlottedPoint>> stored = PlottedValuesFromStorage(d, g, end);
    const std::span<float> pgv = d.PlottedValueStorage(places);
    const std::span<std::int16_t> pgvi = d.PlottedFlagStorage(places);
    if (stored && !pgv.empty() && !pgvi.empty()) {
      graph.plotted = std::move(*stored);
      for (std::size_t k = 0; k < places; ++k) {
        pgv[k] = graph.plotted[k].value;
        pgvi[k] = graph.plotted[k].flag;
      }
    } else {
      graph.plotted.reserve(places);
      for (std::int32_t p = 0; p <= end; ++p) {
        const auto place = static_cast<std::int16_t>(p);
        const PlottedPoint point = PlottedValue(d, g, place);
        d.SetPGV(place, point.value);
        d.SetPGVI(place, point.flag);
        graph.plotted.push_back(point);
      }
    }
    graph.diagnosis = RunGraph(d, g, start, end, choice, platform);
    NoteLabels(d, graph.diagnosis, report.labels);
    report.graphs.push_back(std::move(graph));
  }
  const std::int16_t next = NextStart(d, start, end);
  d.SetNextHAxLToDiagnose(next);
  if (next <= d.GVMax()) report.next_start = NameOf(d, next);
}

}  // namespace

std::string GraphTypeName(const clsData& d, std::int16_t graph) {
  if (d.CType() == -3) {
    if (graph != 0) return d.SubGpSd() ? "S.D. Chart" : "Range Chart";
    if (d.MedFlag()) return "Median Chart";
    return d.SubGpLinearTrend() ? "Mean Trend Chart" : "Mean Chart";
  }
  if (d.CType() == -1) return graph != 0 ? "Moving Range Chart" : "Measurements Chart";
  return {};
}

Report ComposeReport(clsData& d, const DiagnosisSettings& settings, Platform& platform) {
  d.SetGVMax(d.CType() == -3 ? d.NSam() : d.TNVal());
  Report r;
  r.chart_type = d.CType();
  r.two_graphs = r.chart_type == -1 || r.chart_type == -3;
  for (std::int16_t g = 0; g < (r.two_graphs ? 2 : 1); ++g)
    r.graph_names.push_back(GraphTypeName(d, g));
  r.end_place = d.GVMax();
  const std::int16_t next = d.NextHAxLToDiagnose();
  const std::int16_t start = std::max<std::int16_t>(next, 0);
  const bool past_end = next > r.end_place || start > r.end_place;

  r.title = d.Title(0);
  if (d.blnQuorvaFileNameSetByUser()) r.file = d.strQuorvaFileName();
  if (!past_end) {
    r.start = NameOf(d, start);
    r.end = NameOf(d, r.end_place);
    if (const std::int16_t last = LastPlaceBefore(next); last > 0)
      r.last_finished = NameOf(d, last);
  }
  r.date_time = platform.Now();
  if (past_end) {
    r.outcome = ReportOutcome::kPastEnd;
    if (const std::int16_t last = LastPlaceBefore(next); last <= r.end_place)
      r.finished_at = NameOf(d, last);
    return r;
  }
  if (!d.IsDataIn()) {
    r.outcome = ReportOutcome::kInsufficientData;
    return r;
  }
  DiagnoseGraphs(d, settings, platform, r);
  return r;
}

std::string ComposeDiagnosis(clsData& d, const DiagnosisSettings& settings, Platform& platform) {
  const Report report = ComposeReport(d, settings, platform);
  return ReportText(report);
}

}  // namespace ostrevin
