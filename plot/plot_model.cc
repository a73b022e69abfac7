#include "plot/plot_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace ostrevin {
namespace {

// Each test's switch key and legend words, in the order the tests run.
struct SignalRow {
  std::string_view key;
  std::string_view legend;
};
constexpr SignalRow kSignalRows[] = {
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, Legend, ...)                                            \
  {Key, Legend},
#include "settings/tests.def"
};
constexpr std::size_t kRowCount = std::size(kSignalRows);

// The legend's signals in the order the tests run; variants with the same legend words (a test
// and its moving-range variant) share one.
struct SignalKinds {
  std::array<std::string_view, kRowCount> names{};
  std::array<std::size_t, kRowCount> kind_of_row{};
  std::size_t count = 0;
};
constexpr SignalKinds kSignalKinds = [] {
  SignalKinds kinds;
  for (std::size_t r = 0; r < kRowCount; ++r) {
    std::size_t k = 0;
    while (k < kinds.count && kinds.names[k] != kSignalRows[r].legend) ++k;
    if (k == kinds.count) kinds.names[kinds.count++] = kSignalRows[r].legend;
    kinds.kind_of_row[r] = k;
  }
  return kinds;
}();
constexpr std::size_t kKnownKinds = kSignalKinds.count;

// The position of a test's signal in kSignalKinds, or past them for a test this plot does not
// know by name (it is then named by its key).
std::size_t KindOf(const std::string& key, std::vector<std::string>& unknown) {
  for (std::size_t r = 0; r < kRowCount; ++r) {
    if (kSignalRows[r].key == key) return kSignalKinds.kind_of_row[r];
  }
  auto found = std::find(unknown.begin(), unknown.end(), key);
  if (found == unknown.end()) found = unknown.insert(unknown.end(), key);
  return kKnownKinds + static_cast<std::size_t>(found - unknown.begin());
}

// Widens low..high over the values and the lines shown, with a margin, never empty.
void FitRange(PlotPanel& panel) {
  float low = INFINITY, high = -INFINITY;
  auto take = [&](const std::optional<float>& v) {
    if (v && std::isfinite(*v)) low = std::min(low, *v), high = std::max(high, *v);
  };
  for (const auto& v : panel.data.values) take(v);
  for (const PlotLines& l : panel.data.lines) take(l.ucl), take(l.centre), take(l.lcl);
  if (!(low <= high)) low = 0, high = 1;
  if (low == high) low -= 1, high += 1;
  const float margin = (high - low) * 0.06f;
  panel.low = low - margin;
  panel.high = high + margin;
}

// The track of legend entry `entry` in the panel, made when first asked for.
PlotTrack& TrackOf(PlotPanel& panel, std::size_t entry) {
  auto track = std::find_if(panel.tracks.begin(), panel.tracks.end(),
                            [&](const PlotTrack& t) { return t.entry == entry; });
  if (track != panel.tracks.end()) return *track;
  panel.tracks.push_back({entry, {}, {}});
  return panel.tracks.back();
}

// Marks every point with a value from each finding's first place to its last, and puts each
// finding on the track of its signal (`entries`: the legend entry of each finding).
void MarkFindings(const PlotGraphFindings& graph, const std::vector<std::size_t>& entries,
                  PlotPanel& panel) {
  const auto places = static_cast<std::int32_t>(panel.data.values.size());
  std::vector<std::vector<std::size_t>> at(panel.data.values.size());
  for (std::size_t f = 0; f < graph.findings.size(); ++f) {
    const std::int32_t first = std::max<std::int32_t>(graph.findings[f].first, 0);
    const std::int32_t last = std::min<std::int32_t>(graph.findings[f].last, places - 1);
    if (first > last) continue;
    PlotTrack& track = TrackOf(panel, entries[f]);
    track.spans.emplace_back(static_cast<std::int16_t>(first), static_cast<std::int16_t>(last));
    for (std::int32_t p = first; p <= last; ++p) {
      auto& covering = at[static_cast<std::size_t>(p)];
      if (!panel.data.values[static_cast<std::size_t>(p)]) continue;
      if (std::find(covering.begin(), covering.end(), entries[f]) != covering.end()) continue;
      covering.push_back(entries[f]);
      track.places.push_back(static_cast<std::int16_t>(p));
    }
  }
  for (std::size_t p = 0; p < at.size(); ++p) {
    if (at[p].empty()) continue;
    std::sort(at[p].begin(), at[p].end());
    panel.marks.push_back({static_cast<std::int16_t>(p), *panel.data.values[p], at[p]});
  }
  std::sort(panel.tracks.begin(), panel.tracks.end(),
            [](const PlotTrack& a, const PlotTrack& b) { return a.entry < b.entry; });
  for (PlotTrack& track : panel.tracks) std::sort(track.places.begin(), track.places.end());
}

// The legend of the signals that fired, in the order of their kinds, and the legend entry of
// every finding of every graph.
std::vector<std::vector<std::size_t>> MakeLegend(const PlotFindings& findings,
                                                 std::vector<PlotSignal>& legend) {
  std::vector<std::string> unknown;
  std::vector<std::vector<std::size_t>> kinds(findings.graphs.size());
  std::vector<bool> fired;
  for (std::size_t g = 0; g < findings.graphs.size(); ++g) {
    for (const PlotFinding& f : findings.graphs[g].findings) {
      kinds[g].push_back(KindOf(f.test, unknown));
      fired.resize(std::max(fired.size(), kinds[g].back() + 1), false);
      fired[kinds[g].back()] = true;
    }
  }
  std::vector<std::size_t> entry_of(fired.size(), 0);
  for (std::size_t k = 0; k < fired.size(); ++k) {
    if (!fired[k]) continue;
    entry_of[k] = legend.size();
    legend.push_back(
        {k < kKnownKinds ? std::string(kSignalKinds.names[k]) : unknown[k - kKnownKinds], k});
  }
  for (auto& graph : kinds) {
    for (std::size_t& kind : graph) kind = entry_of[kind];
  }
  return kinds;
}

}  // namespace

PlotModel BuildPlotModel(const PlotChartData& chart, const PlotFindings& findings) {
  PlotModel model;
  model.title = findings.title;
  model.subtitle = findings.range_note;
  model.labels = chart.labels;
  model.split_starts = chart.split_starts;
  model.diagnosed_from = findings.diagnosed_from;
  const std::vector<std::vector<std::size_t>> entries = MakeLegend(findings, model.legend);
  if (findings.diagnosed && model.legend.empty()) model.subtitle += ": no signals found";
  for (std::size_t g = 0; g < chart.graphs.size(); ++g) {
    PlotPanel panel;
    panel.data = chart.graphs[g];
    if (g < findings.graphs.size()) {
      const PlotGraphFindings& graph = findings.graphs[g];
      panel.name = graph.name;
      panel.note = graph.unavailable;
      MarkFindings(graph, entries[g], panel);
    }
    FitRange(panel);
    model.panels.push_back(std::move(panel));
  }
  return model;
}

Ticks NiceTicks(double low, double high, int max_ticks) {
  max_ticks = std::max(max_ticks, 2);
  // The smallest step of 1, 2 or 5 times a power of ten that needs no more than max_ticks.
  double step = std::pow(10.0, std::floor(std::log10((high - low) / max_ticks)));
  for (int k = 0;; ++k) {
    const double candidate = step * (k % 3 == 0 ? 1 : k % 3 == 1 ? 2 : 5) * std::pow(10.0, k / 3);
    const double count = std::floor(high / candidate) - std::ceil(low / candidate) + 1;
    if (count <= max_ticks) {
      step = candidate;
      break;
    }
  }
  Ticks ticks{step, {}};
  for (double k = std::ceil(low / step); k * step <= high + step * 1e-9; ++k)
    ticks.values.push_back(k == 0 ? 0.0 : k * step);
  return ticks;
}

std::string TickText(double value, double step) {
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string ShortValue(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5g", static_cast<double>(value));
  return text;
}

int LabelStep(double place_space, double label_space) {
  for (int step = 1;; step *= 10) {
    for (int factor : {1, 2, 5}) {
      if (place_space * step * factor >= label_space || step * factor >= 10000)
        return step * factor;
    }
  }
}

}  // namespace ostrevin
