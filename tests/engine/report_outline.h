#ifndef OSTREVIN_TESTS_ENGINE_REPORT_OUTLINE_H_
#define OSTREVIN_TESTS_ENGINE_REPORT_OUTLINE_H_

// What a Diagnostics report says, as a list of tagged lines, taken once from the report text and
// once from the findings JSON, so that a test can show the two say the same thing: graph
// headings, split headings, kinds, summaries, every finding line in order, the next start and
// the explanation lines. The JSON side writes each finding's line from its data (test key,
// places, labels, count, side or direction) with the report's wording, independently of the
// engine's formatter.

#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ostrevin::outline {

inline bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
inline bool EndsWith(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

inline bool IsSummary(const std::string& line) {
  for (const char* start : {"LCL=", "(LCL n/a)", "Centre=", "(Centre n/a)", "UCL=", "(UCL n/a)",
                            "(Control limits not horizontal"}) {
    if (StartsWith(line, start)) return true;
  }
  return false;
}

// The outline of a report text (LF or CR LF line breaks).
inline std::vector<std::string> FromText(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  std::vector<std::string> out;
  enum { kFrame, kSplitTop, kSplitBody, kExplaining } state = kFrame;
  for (const std::string& line : lines) {
    if (StartsWith(line, "*******  ")) {
      out.push_back("graph: " + line.substr(9, line.size() - 18));
      state = kFrame;
    } else if (StartsWith(line, "*** Chart Starts at ") || StartsWith(line, "*** Split in graph")) {
      out.push_back("split: " + line);
      state = kSplitTop;
    } else if (line == "Unavailable to CuSum chart.") {
      out.push_back("unavailable");
    } else if (line == "End of Data Reached" || StartsWith(line, "Start of next diagnosis is ")) {
      out.push_back("next: " + line);
      state = kFrame;
    } else if (StartsWith(line, "******* Explanation of tests performed")) {
      state = kExplaining;
    } else if (state == kExplaining && StartsWith(line, "          ")) {
      out.back() += "\n" + line;
    } else if (state == kExplaining) {
      if (line.empty()) state = kFrame;
      if (!line.empty()) out.push_back("explained: " + line);
    } else if (state == kSplitTop && !line.empty()) {
      out.push_back((IsSummary(line) ? "summary: " : "kind: ") + line);
    } else if (state == kSplitTop) {
      state = kSplitBody;
    } else if (state == kSplitBody && !line.empty() && line != "Nothing to report" &&
               !EndsWith(line, "detected the following:") &&
               !EndsWith(line, "detected for the following:")) {
      out.push_back("finding: " + line);
    }
  }
  return out;
}

using Json = nlohmann::json;

inline std::string Point(const Json& p) {
  return p.at("label").get<std::string>() + " (" + std::to_string(p.at("place").get<int>() + 1) +
         ")";
}

inline std::string FindingLine(const Json& f) {
  const std::string key = f.at("test").get<std::string>();
  const std::string range = Point(f.at("first")) + " to " + Point(f.at("last"));
  const std::string run =
      std::to_string(f.at("count").get<int>()) + " consecutive points were found to be ";
  const bool below = f.value("side", "") == "below";
  if (StartsWith(key, "DiagnoseForAllAboveUCL"))
    return "Point " + Point(f.at("first")) + " is ABOVE or ON the UPPER CONTROL LIMIT";
  if (key == "DiagnoseForAllBelowLCL")
    return "Point " + Point(f.at("first")) + " is BELOW or ON the LOWER CONTROL LIMIT";
  if (StartsWith(key, "DiagnoseForAllAboveBelowMean"))
    return run + (below ? "BELOW" : "ABOVE") + " the centre line, starting at " + range;
  if (key == "DiagnoseForAllWithin1SDMean")
    return run + "within 1 Sigma either side of the centre line, starting at " + range;
  if (key == "DiagnoseForAllIncreasingOrDecreasing")
    return run + (f.at("direction") == "down" ? "in a DOWNWARDS TREND" : "in an UPWARDS TREND") +
           ", starting at " + range;
  if (key == "DiagnoseForZigZag") return run + "ZIGZAGGING, starting at " + range;
  return range;
}

inline std::string SummaryLine(const Json& split) {
  const Json& summary = split.at("summary");
  if (summary.is_null()) {
    return split.at("no_summary") == "limits not horizontal"
               ? "(Control limits not horizontal; unable to give meaningful summary)"
               : "";
  }
  std::string line;
  for (const auto& [key, name] : {std::pair{"lcl", "LCL"}, {"centre", "Centre"}, {"ucl", "UCL"}}) {
    if (!summary.contains(key)) continue;
    if (summary.at(key).is_null()) {
      line += "(" + std::string(name) + " n/a)     ";
      continue;
    }
    char value[32];
    std::snprintf(value, sizeof value, "%.7G", summary.at(key).get<double>());
    line += std::string(name) + "=" + value + "     ";
  }
  return line;
}

inline std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

inline void AddGraph(const Json& graph, bool two_graphs, std::vector<std::string>& out) {
  if (two_graphs) out.push_back("graph: " + Upper(graph.at("name").get<std::string>()));
  if (graph.contains("unavailable")) {
    out.push_back("unavailable");
    return;
  }
  for (const Json& split : graph.at("splits")) {
    out.push_back(
        "split: " +
        std::string(split.at("split") == 0 ? "*** Chart Starts at " : "*** Split in graph at ") +
        split.at("first_place").at("label").get<std::string>() + " (Place number " +
        std::to_string(split.at("first_place").at("place").get<int>() + 1) + ")");
    if (!split.at("kind").is_null()) out.push_back("kind: " + split.at("kind").get<std::string>());
    if (const std::string summary = SummaryLine(split); !summary.empty())
      out.push_back("summary: " + summary);
    for (const Json& f : split.at("findings")) out.push_back("finding: " + FindingLine(f));
  }
}

// The outline of a findings JSON document.
inline std::vector<std::string> FromJson(const std::string& json) {
  const Json doc = Json::parse(json);
  std::vector<std::string> out;
  if (doc.at("outcome") != "diagnosed") return out;
  const bool two_graphs = doc.at("graphs").size() == 2;
  for (const Json& graph : doc.at("graphs")) AddGraph(graph, two_graphs, out);
  out.push_back("next: " +
                (doc.at("end_of_data").get<bool>()
                     ? std::string("End of Data Reached")
                     : "Start of next diagnosis is " +
                           doc.at("next_start").at("label").get<std::string>() + " (Place number " +
                           std::to_string(doc.at("next_start").at("place").get<int>() + 1) + ")"));
  for (const Json& graph : doc.at("graphs")) {
    if (!graph.contains("explanations")) continue;
    for (const Json& e : graph.at("explanations"))
      out.push_back("explained: " + e.at("text").get<std::string>());
  }
  return out;
}

// How many findings an outline holds.
inline std::size_t FindingCount(const std::vector<std::string>& outline) {
  std::size_t n = 0;
  for (const std::string& line : outline) n += StartsWith(line, "finding: ") ? 1 : 0;
  return n;
}

}  // namespace ostrevin::outline

#endif  // OSTREVIN_TESTS_ENGINE_REPORT_OUTLINE_H_
