#include "engine/report.h"

#include <algorithm>
#include <cctype>

#include "addon/cls_data.h"
#include "engine/finding_text.h"
#include "engine/geometry.h"
#include "engine/signal_tests.h"
#include "platform/platform.h"

namespace ostrevin {
namespace {

constexpr std::string_view kClosingNote =
    "\r\n******* IMPORTANT NOTE *******\r\n\r\n"
    "The above results are only intended as a GUIDE only.\r\n"
    "ALWAYS look at the chart yourself and ask if anything looks unreasonably unusual.\r\n"
    "Overall two types of mistake can be made when interpreting a control chart:\r\n"
    "1) General 'noise'/common variation can be interpreted as a signal/special cause,\r\n"
    "2) A signal/special cause can be overlooked.\r\n\r\n"
    "Remember: the more signals that are looked for, the greater the chance that the chart \r\n"
    "will appear non-random, when in fact it may just be random.";

PlaceName NameOf(const clsData& d, std::int16_t place) {
  return {place, d.HAxL(place)};
}

// "label (Place number n)"
std::string PlaceText(const PlaceName& p) {
  return p.label + " (Place number " + std::to_string(std::int32_t{p.place} + 1) + ")";
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
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
    GraphReport graph{g, report.graph_names[static_cast<std::size_t>(g)], {}};
    for (std::int32_t p = 0; p <= end; ++p) {
      const auto place = static_cast<std::int16_t>(p);
      const PlottedPoint point = PlottedValue(d, g, place);
      d.SetPGV(place, point.value);
      d.SetPGVI(place, point.flag);
    }
    graph.diagnosis = RunGraph(d, g, start, end, choice, platform);
    NoteLabels(d, graph.diagnosis, report.labels);
    report.graphs.push_back(std::move(graph));
  }
  const std::int16_t next = NextStart(d, start, end);
  d.SetNextHAxLToDiagnose(next);
  if (next <= d.GVMax()) report.next_start = NameOf(d, next);
}

std::string HeaderText(const Report& r) {
  std::string text = "Diagnostics report";
  if (!r.title.empty()) text += " for " + r.title;
  text += kCrLf;
  if (r.file) text += "File: " + *r.file + std::string(kCrLf);
  if (r.start) {
    text += "Starting at " + PlaceText(*r.start) + " to " + PlaceText(*r.end) + std::string(kCrLf);
    if (r.last_finished)
      text += "[Last diagnosis finished at " + PlaceText(*r.last_finished) + ".]\r\n";
  }
  return text + "Date & Time: " + r.date_time + "\r\n\r\n";
}

std::string BodyText(const Report& r) {
  std::string text = "*** The following are intended as a GUIDE only; see the note at the end. ***";
  text += "\r\n\r\n";
  for (const GraphReport& g : r.graphs) {
    if (r.two_graphs) text += "*******  " + Upper(g.name) + "  *******\r\n\r\n";
    text += RenderGraph(r.labels, g.diagnosis) + "\r\n\r\n";
  }
  text += r.next_start ? "Start of next diagnosis is " + PlaceText(*r.next_start)
                       : std::string("End of Data Reached");
  text += "\r\n\r\n";
  for (const GraphReport& g : r.graphs) {
    text += "******* Explanation of tests performed";
    if (r.two_graphs) text += " for " + Upper(g.name);
    text += ":" + std::string(kCrLf) + g.diagnosis.explanations;
  }
  return text + std::string(kClosingNote);
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

std::string ReportText(const Report& r) {
  std::string text = HeaderText(r);
  switch (r.outcome) {
    case ReportOutcome::kPastEnd:
      text += r.finished_at ? "Last diagnosis finished at " + PlaceText(*r.finished_at) +
                                  " and so have reached end of data,"
                            : std::string("Last diagnosis is beyond end of data,");
      return text + std::string(kCrLf) + "therefore nothing to report.";
    case ReportOutcome::kInsufficientData:
      return text +
             "Insufficient data for analysis.\r\n"
             "(Each split needs at least two points in it for calculations to be performed.)";
    case ReportOutcome::kDiagnosed:
      break;
  }
  return text + BodyText(r);
}

std::string ComposeDiagnosis(clsData& d, const DiagnosisSettings& settings, Platform& platform) {
  const Report report = ComposeReport(d, settings, platform);
  return ReportText(report);
}

}  // namespace ostrevin
