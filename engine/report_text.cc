#include "engine/report_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "addon/cls_data.h"
#include "engine/signal_tests.h"

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
std::string PlaceText(const PlaceName& p) {
  return p.label + " (Place number " + std::to_string(std::int32_t{p.place} + 1) + ")";
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

// The texts of a finding's line, appended to `out`: the report is long, and each piece is
// written once into it.
void AppendNumber(std::string& out, std::int32_t n) {
  char digits[12];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

// "label (n)"
void AppendPoint(std::string& out, const PlaceLabels& labels, std::int16_t place) {
  ((out += labels.at(place)) += " (");
  AppendNumber(out, std::int32_t{place} + 1);
  out += ')';
}

void AppendRange(std::string& out, const PlaceLabels& labels, const Finding& f) {
  AppendPoint(out, labels, f.first_place);
  out += " to ";
  AppendPoint(out, labels, f.last_place);
}

void AppendLine(std::string& out, const PlaceLabels& labels, TestId test, const Finding& f) {
  const TestEntry& t = Test(test);
  switch (t.line) {
    case LineShape::kPoint:
      out += "Point ";
      AppendPoint(out, labels, f.first_place);
      out += t.up;
      return;
    case LineShape::kRun:
      AppendNumber(out, f.count);
      (out += " consecutive points were found to be") += f.direction < 0 ? t.down : t.up;
      AppendRange(out, labels, f);
      return;
    case LineShape::kRange:
      AppendRange(out, labels, f);
      return;
  }
}

void AppendFindings(std::string& out, const PlaceLabels& labels, TestId test,
                    const TestResult& result) {
  for (const FindingBlock& block : result.blocks) {
    if (!block.heading.empty()) (out += block.heading) += kCrLf;
    for (const Finding& f : block.findings) {
      AppendLine(out, labels, test, f);
      out += kCrLf;
    }
    out += kCrLf;
  }
}

// The split's summary line, appended to `text`.
void AppendSummary(std::string& text, const SplitSummary& summary) {
  if (!summary.horizontal) {
    text += "(Control limits not horizontal; unable to give meaningful summary)\r\n\r\n";
    return;
  }
  static constexpr std::string_view kNames[] = {"LCL", "Centre", "UCL"};
  for (const SummaryLine& s : summary.lines) {
    if (s.visible) {
      ((text += kNames[s.line]) += '=') += FormatSingle(s.value);
    } else {
      ((text += '(') += kNames[s.line]) += " n/a)";
    }
    text += "     ";
  }
  if (!summary.lines.empty()) text += kCrLf;
  text += "\r\n\r\n";
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

// RenderGraph appended to `text`.
void AppendGraph(std::string& text, const PlaceLabels& labels, const GraphDiagnosis& diagnosis) {
  if (diagnosis.cusum_refused) {
    text += "Unavailable to CuSum chart.";
    return;
  }
  for (const SplitDiagnosis& split : diagnosis.splits) {
    text += kCrLf;
    text += split.split == 0 ? "*** Chart Starts at " : "*** Split in graph at ";
    (text += labels.at(split.first_place)) += " (Place number ";
    AppendNumber(text, std::int32_t{split.first_place} + 1);
    (text += ")") += kCrLf;
    if (!split.kind.empty()) (text += split.kind) += kCrLf;
    AppendSummary(text, split.summary);
    const std::size_t before = text.size();
    for (const TestOutcome& o : split.outcomes) AppendFindings(text, labels, o.test, o.result);
    if (text.size() == before) text += "Nothing to report\r\n";
  }
}

// Somewhat more than the body's length, so that a long text gets its room once: a line of at
// most 64 characters per finding, and a few per block and per split.
std::size_t BodyRoom(const Report& r) {
  std::size_t room = 4096;
  for (const GraphReport& g : r.graphs) {
    for (const SplitDiagnosis& split : g.diagnosis.splits) {
      room += 256;
      for (const TestOutcome& o : split.outcomes) {
        for (const FindingBlock& block : o.result.blocks) room += 96 + 64 * block.findings.size();
      }
    }
  }
  return room;
}

// The report after its header, appended to `text`: every graph's findings, the next start, the
// explanations and the closing note, each written once into it.
void AppendBody(std::string& text, const Report& r) {
  text += "*** The following are intended as a GUIDE only; see the note at the end. ***";
  text += "\r\n\r\n";
  for (const GraphReport& g : r.graphs) {
    if (r.two_graphs) ((text += "*******  ") += Upper(g.name)) += "  *******\r\n\r\n";
    AppendGraph(text, r.labels, g.diagnosis);
    text += "\r\n\r\n";
  }
  text += r.next_start ? "Start of next diagnosis is " + PlaceText(*r.next_start)
                       : std::string("End of Data Reached");
  text += "\r\n\r\n";
  for (const GraphReport& g : r.graphs) {
    text += "******* Explanation of tests performed";
    if (r.two_graphs) (text += " for ") += Upper(g.name);
    (text += ":") += kCrLf;
    for (const ListedExplanation& e : ListedExplanations(g.diagnosis)) (text += e.text) += kCrLf;
  }
  text += kClosingNote;
}

}  // namespace

void AddNamedPlaces(const TestResult& result, std::vector<std::int16_t>& places) {
  for (const FindingBlock& block : result.blocks) {
    for (const Finding& f : block.findings) {
      places.push_back(f.first_place);
      places.push_back(f.last_place);
    }
  }
}

Status NoteLabels(const clsData& data, const TestResult& result, PlaceLabels& labels) {
  std::vector<std::int16_t> places;
  AddNamedPlaces(result, places);
  for (const std::int16_t place : places)
    OSTREVIN_RETURN_IF_ERROR(labels.Note(place, [&] { return data.HAxL(place); }));
  return Ok{};
}

std::string PointText(const PlaceLabels& labels, std::int16_t place) {
  std::string text;
  AppendPoint(text, labels, place);
  return text;
}

std::string FormatFindings(const PlaceLabels& labels, TestId test, const TestResult& result) {
  std::string text;
  AppendFindings(text, labels, test, result);
  return text;
}

Result<std::string> FormatFindings(const clsData& data, TestId test, const TestResult& result) {
  PlaceLabels labels;
  OSTREVIN_RETURN_IF_ERROR(NoteLabels(data, result, labels));
  return FormatFindings(labels, test, result);
}

std::string RenderGraph(const PlaceLabels& labels, const GraphDiagnosis& diagnosis) {
  std::string text;
  AppendGraph(text, labels, diagnosis);
  return text;
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
  text.reserve(text.size() + BodyRoom(r));
  AppendBody(text, r);
  return text;
}

}  // namespace ostrevin
