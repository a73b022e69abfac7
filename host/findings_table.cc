#include "host/findings_table.h"

#include <nlohmann/json.hpp>

namespace ostrevin {
namespace {

using Json = nlohmann::json;

FindingRow Row(const Json& graph, const Json& split, const Json& f) {
  FindingRow row;
  row.graph = graph.at("graph").get<std::int16_t>();
  row.split = split.at("split").get<std::int16_t>();
  row.test = f.at("test").get<std::string>();
  row.first_place = f.at("first").at("place").get<std::int16_t>();
  row.first_label = f.at("first").at("label").get<std::string>();
  row.last_place = f.at("last").at("place").get<std::int16_t>();
  row.last_label = f.at("last").at("label").get<std::string>();
  row.count = f.at("count").get<std::int32_t>();
  if (f.contains("side")) row.side = f.at("side").get<std::string>();
  if (f.contains("direction")) row.side = f.at("direction").get<std::string>();
  return row;
}

// A field quoted when it holds a comma, a quote or a line break, its quotes doubled.
std::string Field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

Result<std::vector<FindingRow>> ReadFindingRows(std::string_view json) {
  const Json doc = Json::parse(json, nullptr, false);
  if (doc.is_discarded() || !doc.is_object())
    return Error::InvalidInput("the findings are not a JSON object");
  try {
    std::vector<FindingRow> rows;
    if (doc.at("outcome") != "diagnosed") return rows;
    for (const Json& graph : doc.at("graphs")) {
      if (!graph.contains("splits")) continue;  // a graph that was not diagnosed
      for (const Json& split : graph.at("splits")) {
        for (const Json& f : split.at("findings")) rows.push_back(Row(graph, split, f));
      }
    }
    return rows;
  } catch (const std::exception& e) {
    return Error::InvalidInput(std::string("the findings cannot be read: ") + e.what());
  }
}

std::string FindingsCsv(const std::vector<FindingRow>& rows) {
  std::string csv = "graph,split,test,first_place,first_label,last_place,last_label,count,side\r\n";
  for (const FindingRow& r : rows) {
    csv += std::to_string(r.graph) + ',' + std::to_string(r.split) + ',' + Field(r.test) + ',' +
           std::to_string(r.first_place) + ',' + Field(r.first_label) + ',' +
           std::to_string(r.last_place) + ',' + Field(r.last_label) + ',' +
           std::to_string(r.count) + ',' + r.side + "\r\n";
  }
  return csv;
}

}  // namespace ostrevin
