// Writes a composed report as JSON. Shape (docs/findings-json.md has an example):
//
//   document  := { format, version, title, file, date_time, chart_type, graph_names,
//                  last_place, outcome,
//                  ( range, graphs, next_start, end_of_data          -- outcome "diagnosed"
//                  | range                                           -- "insufficient_data"
//                  | past_end ) }                                    -- "past_end"
//   range     := { start: place, end: place, last_finished: place | null }
//   past_end  := { last_finished: place | null, beyond_end_of_data: bool }
//   graph     := { graph, name, ( splits: [split], explanations: [explanation]
//                               | unavailable: text ) }             -- CuSum charts
//   split     := { split, first_place: place, limit_split, kind, summary, [no_summary],
//                  findings: [finding] }
//   finding   := { test, first: place, last: place, count, [side | direction] }
//   place     := { place, label }
#include "engine/report_json.h"

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "engine/signal_tests.h"
#include "values/variant.h"

namespace ostrevin {
namespace {

using Json = nlohmann::ordered_json;

Json PlaceJson(const PlaceName& p) {
  return {{"place", p.place}, {"label", p.label}};
}

Json PlaceJson(const Report& r, std::int16_t place) {
  const std::string* label = r.labels.Find(place);
  return PlaceJson({place, label != nullptr ? *label : std::string()});
}

Json OptionalPlace(const std::optional<PlaceName>& p) {
  return p ? PlaceJson(*p) : Json(nullptr);
}

Json NameOrNull(const std::string& name) {
  return name.empty() ? Json(nullptr) : Json(name);
}

// A value as the report writes it (seven significant digits), so that text and JSON agree.
Json Number(float value) {
  return std::strtod(FormatSingle(value).c_str(), nullptr);
}

// The report's own line breaks inside a text, written as plain line feeds.
std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

void AddSummary(const SplitSummary& summary, Json& split) {
  if (!summary.horizontal || summary.lines.empty()) {
    split["summary"] = nullptr;
    split["no_summary"] = summary.horizontal ? "no lines" : "limits not horizontal";
    return;
  }
  static constexpr const char* kNames[] = {"lcl", "centre", "ucl"};
  Json lines = Json::object();
  for (const SummaryLine& s : summary.lines)
    lines[kNames[s.line]] = s.visible ? Number(s.value) : Json(nullptr);
  split["summary"] = std::move(lines);
}

void AddSideOrDirection(TestId test, const Finding& f, Json& finding) {
  switch (Test(test).way) {
    case FindingWay::kNone:
      return;
    case FindingWay::kTrend:
      finding["direction"] = f.direction < 0 ? "down" : "up";
      return;
    case FindingWay::kSide:
      finding["side"] = f.direction < 0 ? "below" : "above";
  }
}

Json SplitJson(const Report& r, const SplitDiagnosis& s) {
  Json split = {{"split", s.split},
                {"first_place", PlaceJson(r, s.first_place)},
                {"limit_split", s.limit_split},
                {"kind", s.kind.empty() ? Json(nullptr) : Json(s.kind)}};
  AddSummary(s.summary, split);
  Json findings = Json::array();
  for (const TestOutcome& o : s.outcomes) {
    for (const FindingBlock& block : o.result.blocks) {
      for (const Finding& f : block.findings) {
        Json finding = {{"test", Test(o.test).key},
                        {"first", PlaceJson(r, f.first_place)},
                        {"last", PlaceJson(r, f.last_place)},
                        {"count", f.count}};
        AddSideOrDirection(o.test, f, finding);
        findings.push_back(std::move(finding));
      }
    }
  }
  split["findings"] = std::move(findings);
  return split;
}

// The explanation line of each test listed for the graph, in the order listed.
Json Explanations(const GraphDiagnosis& g) {
  Json lines = Json::array();
  for (const ListedExplanation& e : ListedExplanations(g))
    lines.push_back({{"test", Test(e.test).key}, {"text", WithLineFeeds(std::string(e.text))}});
  return lines;
}

Json GraphJson(const Report& r, const GraphReport& g) {
  Json graph = {{"graph", g.graph}, {"name", NameOrNull(g.name)}};
  if (g.diagnosis.cusum_refused) {
    graph["unavailable"] = "Unavailable to CuSum chart.";
    return graph;
  }
  Json splits = Json::array();
  for (const SplitDiagnosis& s : g.diagnosis.splits) splits.push_back(SplitJson(r, s));
  graph["splits"] = std::move(splits);
  graph["explanations"] = Explanations(g.diagnosis);
  return graph;
}

Json GraphNames(const Report& r) {
  Json names = Json::array();
  for (const std::string& name : r.graph_names) names.push_back(NameOrNull(name));
  return names;
}

const char* OutcomeName(ReportOutcome outcome) {
  switch (outcome) {
    case ReportOutcome::kPastEnd:
      return "past_end";
    case ReportOutcome::kInsufficientData:
      return "insufficient_data";
    case ReportOutcome::kDiagnosed:
      break;
  }
  return "diagnosed";
}

}  // namespace

std::string FindingsJson(const Report& r) {
  Json doc = Json::object();
  doc["format"] = kFindingsFormat;
  doc["version"] = kFindingsVersion;
  doc["title"] = r.title;
  doc["file"] = r.file ? Json(*r.file) : Json(nullptr);
  doc["date_time"] = r.date_time;
  doc["chart_type"] = r.chart_type;
  doc["graph_names"] = GraphNames(r);
  doc["last_place"] = r.end_place;
  doc["outcome"] = OutcomeName(r.outcome);
  if (r.outcome == ReportOutcome::kPastEnd) {
    doc["past_end"] = {{"last_finished", OptionalPlace(r.finished_at)},
                       {"beyond_end_of_data", !r.finished_at.has_value()}};
  } else {
    doc["range"] = {{"start", OptionalPlace(r.start)},
                    {"end", OptionalPlace(r.end)},
                    {"last_finished", OptionalPlace(r.last_finished)}};
  }
  if (r.outcome == ReportOutcome::kDiagnosed) {
    Json graphs = Json::array();
    for (const GraphReport& g : r.graphs) graphs.push_back(GraphJson(r, g));
    doc["graphs"] = std::move(graphs);
    doc["next_start"] = OptionalPlace(r.next_start);
    doc["end_of_data"] = !r.next_start.has_value();
  }
  return doc.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace ostrevin
