#include "engine/report.h"

#include <algorithm>
#include <cctype>

#include "addon/cls_data.h"
#include "engine/finding_text.h"
#include "engine/geometry.h"
#include "engine/run_driver.h"
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

// "label (Place number n)"
std::string PlaceText(const clsData& d, std::int16_t place) {
  return d.HAxL(place) + " (Place number " + std::to_string(std::int32_t{place} + 1) + ")";
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::string Header(const clsData& d) {
  std::string text = "Diagnostics report";
  if (!d.Title(0).empty()) text += " for " + d.Title(0);
  text += kCrLf;
  if (d.blnQuorvaFileNameSetByUser()) text += "File: " + d.strQuorvaFileName() + std::string(kCrLf);
  return text;
}

std::int16_t LastPlaceBefore(std::int16_t next) {
  return static_cast<std::int16_t>(std::max(std::int32_t{next} - 1, 0));
}

std::string PastEndText(const clsData& d) {
  const std::int16_t last = LastPlaceBefore(d.NextHAxLToDiagnose());
  std::string text = last <= d.GVMax() ? "Last diagnosis finished at " + PlaceText(d, last) +
                                             " and so have reached end of data,"
                                       : std::string("Last diagnosis is beyond end of data,");
  return text + std::string(kCrLf) + "therefore nothing to report.";
}

// The next place to diagnose: one past the last place from `start` to `end` with a value in the
// graph filled last, or `start` when there is none.
std::int16_t NextStart(const clsData& d, std::int16_t start, std::int16_t end) {
  for (std::int32_t q = end; q >= start; --q) {
    if (d.PGVI(static_cast<std::int16_t>(q)) != 0) return static_cast<std::int16_t>(q + 1);
  }
  return start;
}

std::string Body(clsData& d, std::int16_t start, std::int16_t end,
                 const DiagnosisSettings& settings, Platform& platform) {
  const bool two_graphs = d.CType() == -1 || d.CType() == -3;
  const std::int16_t graphs = two_graphs ? 2 : 1;
  std::string text = "*** The following are intended as a GUIDE only; see the note at the end. ***";
  text += "\r\n\r\n";
  std::string explanations[2];
  for (std::int16_t g = 0; g < graphs; ++g) {
    if (two_graphs) text += "*******  " + Upper(GraphTypeName(d, g)) + "  *******\r\n\r\n";
    for (std::int32_t p = 0; p <= end; ++p) {
      const auto place = static_cast<std::int16_t>(p);
      const PlottedPoint point = PlottedValue(d, g, place);
      d.SetPGV(place, point.value);
      d.SetPGVI(place, point.flag);
    }
    GraphText graph = DiagnoseGraph(d, g, start, end, settings, platform);
    text += graph.text + "\r\n\r\n";
    explanations[g] = std::move(graph.explanations);
  }
  const std::int16_t next = NextStart(d, start, end);
  d.SetNextHAxLToDiagnose(next);
  text += next > d.GVMax() ? std::string("End of Data Reached")
                           : "Start of next diagnosis is " + PlaceText(d, next);
  text += "\r\n\r\n";
  for (std::int16_t g = 0; g < graphs; ++g) {
    text += "******* Explanation of tests performed";
    if (two_graphs) text += " for " + Upper(GraphTypeName(d, g));
    text += ":" + std::string(kCrLf) + explanations[g];
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

std::string ComposeDiagnosis(clsData& d, const DiagnosisSettings& settings, Platform& platform) {
  d.SetGVMax(d.CType() == -3 ? d.NSam() : d.TNVal());
  const std::int16_t end = d.GVMax();
  const std::int16_t next = d.NextHAxLToDiagnose();
  const std::int16_t start = std::max<std::int16_t>(next, 0);
  const bool past_end = next > end || start > end;

  std::string text = Header(d);
  if (!past_end) {
    text += "Starting at " + PlaceText(d, start) + " to " + PlaceText(d, end) + std::string(kCrLf);
    const std::int16_t last = LastPlaceBefore(next);
    if (last > 0) text += "[Last diagnosis finished at " + PlaceText(d, last) + ".]\r\n";
  }
  text += "Date & Time: " + platform.Now() + "\r\n\r\n";
  if (past_end) return text + PastEndText(d);
  if (!d.IsDataIn()) {
    return text +
           "Insufficient data for analysis.\r\n"
           "(Each split needs at least two points in it for calculations to be performed.)";
  }
  return text + Body(d, start, end, settings, platform);
}

}  // namespace ostrevin
