#include "plot/plot_findings.h"

#include <nlohmann/json.hpp>

namespace ostrevin {
namespace {

using Json = nlohmann::json;

// "2024-06-03 (1)": a place as the report names it.
std::string PlaceText(const Json& place) {
  return place.at("label").get<std::string>() + " (" +
         std::to_string(place.at("place").get<int>() + 1) + ")";
}

std::string RangeNote(const Json& doc) {
  const std::string outcome = doc.at("outcome").get<std::string>();
  if (outcome == "past_end") {
    const Json& last = doc.at("past_end").at("last_finished");
    return (last.is_null() ? std::string("Not diagnosed: the last diagnosis is beyond the data")
                           : "Not diagnosed: the last diagnosis finished at " + PlaceText(last) +
                                 ", the end of the data") +
           " (--from-start diagnoses it again)";
  }
  if (outcome == "insufficient_data")
    return "Not diagnosed: insufficient data (each split needs at least two points)";
  const Json& range = doc.at("range");
  return "Diagnosed from " + PlaceText(range.at("start")) + " to " + PlaceText(range.at("end"));
}

PlotGraphFindings GraphFindings(const Json& graph) {
  PlotGraphFindings out;
  if (graph.contains("unavailable")) {
    out.unavailable = graph.at("unavailable").get<std::string>();
    return out;
  }
  for (const Json& split : graph.at("splits")) {
    for (const Json& f : split.at("findings")) {
      out.findings.push_back({f.at("test").get<std::string>(),
                              f.at("first").at("place").get<std::int16_t>(),
                              f.at("last").at("place").get<std::int16_t>()});
    }
  }
  return out;
}

PlotDiagnosis Read(const Json& doc) {
  PlotDiagnosis d;
  d.last_place = doc.at("last_place").get<std::int16_t>();
  PlotFindings& f = d.findings;
  f.title = doc.at("title").get<std::string>();
  f.range_note = RangeNote(doc);
  for (const Json& name : doc.at("graph_names")) {
    f.graphs.emplace_back();
    if (!name.is_null()) f.graphs.back().name = name.get<std::string>();
  }
  if (doc.at("outcome").get<std::string>() != "diagnosed") return d;
  f.diagnosed = true;
  const std::int16_t start = doc.at("range").at("start").at("place").get<std::int16_t>();
  if (start > 0) f.diagnosed_from = start;
  for (const Json& graph : doc.at("graphs")) {
    const auto g = graph.at("graph").get<std::size_t>();
    if (g >= f.graphs.size()) throw std::out_of_range("graph " + std::to_string(g));
    std::string name = std::move(f.graphs[g].name);
    f.graphs[g] = GraphFindings(graph);
    f.graphs[g].name = std::move(name);
  }
  return d;
}

}  // namespace

Result<PlotDiagnosis> ReadPlotFindings(std::string_view json) {
  const Json doc = Json::parse(json, nullptr, false);
  if (doc.is_discarded() || !doc.is_object())
    return Error::InvalidInput("the findings are not a JSON object");
  try {
    if (doc.at("format") != "ostrevin-findings" || doc.at("version") != 1)
      return Error::InvalidInput("the findings are not in the ostrevin-findings format version 1");
    return Read(doc);
  } catch (const std::exception& e) {
    return Error::InvalidInput(std::string("the findings cannot be read: ") + e.what());
  }
}

}  // namespace ostrevin
