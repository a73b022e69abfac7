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

Result<PlaceName> NameOf(const clsData& d, std::int16_t place) {
  OSTREVIN_ASSIGN_OR_RETURN(std::string label, d.HAxL(place));
  return PlaceName{place, std::move(label)};
}

std::int16_t LastPlaceBefore(std::int16_t next) {
  return static_cast<std::int16_t>(std::max(std::int32_t{next} - 1, 0));
}

// The next place to diagnose: one past the last place from `start` to `end` with a value in the
// graph filled last, or `start` when there is none.
Result<std::int16_t> NextStart(const clsData& d, std::int16_t start, std::int16_t end) {
  for (std::int32_t q = end; q >= start; --q) {
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t flag, d.PGVI(static_cast<std::int16_t>(q)));
    if (flag != 0) return static_cast<std::int16_t>(q + 1);
  }
  return start;
}

Status DiagnoseGraphs(clsData& d, const DiagnosisSettings& settings, Platform& platform,
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
        OSTREVIN_ASSIGN_OR_RETURN(const PlottedPoint point, PlottedValue(d, g, place));
        OSTREVIN_RETURN_IF_ERROR(d.SetPGV(place, point.value));
        OSTREVIN_RETURN_IF_ERROR(d.SetPGVI(place, point.flag));
        graph.plotted.push_back(point);
      }
    }
    OSTREVIN_ASSIGN_OR_RETURN(graph.diagnosis,
                              RunGraph(d, g, start, end, choice, platform, &report.labels));
    report.graphs.push_back(std::move(graph));
  }
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t next, NextStart(d, start, end));
  d.SetNextHAxLToDiagnose(next);
  if (next <= d.GVMax()) {
    OSTREVIN_ASSIGN_OR_RETURN(report.next_start, NameOf(d, next));
  }
  return Ok{};
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

Result<Report> ComposeReport(clsData& d, const DiagnosisSettings& settings, Platform& platform) {
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

  OSTREVIN_ASSIGN_OR_RETURN(r.title, d.Title(0));
  if (d.blnQuorvaFileNameSetByUser()) r.file = d.strQuorvaFileName();
  if (!past_end) {
    OSTREVIN_ASSIGN_OR_RETURN(r.start, NameOf(d, start));
    OSTREVIN_ASSIGN_OR_RETURN(r.end, NameOf(d, r.end_place));
    if (const std::int16_t last = LastPlaceBefore(next); last > 0) {
      OSTREVIN_ASSIGN_OR_RETURN(r.last_finished, NameOf(d, last));
    }
  }
  r.date_time = platform.Now();
  if (past_end) {
    r.outcome = ReportOutcome::kPastEnd;
    if (const std::int16_t last = LastPlaceBefore(next); last <= r.end_place) {
      OSTREVIN_ASSIGN_OR_RETURN(r.finished_at, NameOf(d, last));
    }
    return r;
  }
  if (!d.IsDataIn()) {
    r.outcome = ReportOutcome::kInsufficientData;
    return r;
  }
  OSTREVIN_RETURN_IF_ERROR(DiagnoseGraphs(d, settings, platform, r));
  return r;
}

Result<std::string> ComposeDiagnosis(clsData& d, const DiagnosisSettings& settings,
                                     Platform& platform) {
  OSTREVIN_ASSIGN_OR_RETURN(const Report report, ComposeReport(d, settings, platform));
  return ReportText(report);
}

}  // namespace ostrevin
