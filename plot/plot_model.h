#ifndef OSTREVIN_PLOT_PLOT_MODEL_H_
#define OSTREVIN_PLOT_PLOT_MODEL_H_

// The picture of a chart and its signals as data, without any toolkit: one panel per graph with
// its points, lines and marked points, the place labels, the split boundaries and the legend.
// plot_render.h draws it; tests count what it holds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostrevin {

// The three lines of a graph at one place; none where the line is not shown there.
struct PlotLines {
  std::optional<float> ucl, centre, lcl;
};

// One graph as the chart holds it, per place from 0 to the last place.
struct PlotGraphData {
  std::vector<std::optional<float>> values;  // the plotted value; none where there is no value
  std::vector<PlotLines> lines;
};

// The chart's own data (plot_chart.h reads it from the container).
struct PlotChartData {
  std::vector<std::string> labels;         // the label of each place
  std::vector<std::int16_t> split_starts;  // the first place of every split after the first
  std::vector<PlotGraphData> graphs;
};

// What the diagnosis said (plot_findings.h reads it from the findings JSON).
struct PlotFinding {
  std::string test;  // the test's settings key
  std::int16_t first = 0;
  std::int16_t last = 0;
};
struct PlotGraphFindings {
  std::string name;         // empty for the graph of a one-graph chart
  std::string unavailable;  // why the graph was not diagnosed (a CuSum chart), else empty
  std::vector<PlotFinding> findings;
};
struct PlotFindings {
  std::string title;
  std::string range_note;                      // what was diagnosed, one line
  bool diagnosed = false;                      // false: past the end or too little data
  std::optional<std::int16_t> diagnosed_from;  // the first place diagnosed, when diagnosed
  std::vector<PlotGraphFindings> graphs;       // one per graph of the chart
};

// A kind of signal in the legend: one test, or a test and its moving-range variant.
struct PlotSignal {
  std::string name;
  std::size_t style = 0;  // which colour and shape draw it
};

// A point covered by findings, with the signals that cover it (indexes into PlotModel::legend).
struct PlotMark {
  std::int16_t place = 0;
  float value = 0;
  std::vector<std::size_t> entries;
};

// One signal of one panel on a track of its own under the panel: where each of its findings
// begins and ends, and the points with a value that it covers.
struct PlotTrack {
  std::size_t entry = 0;  // index into PlotModel::legend
  std::vector<std::pair<std::int16_t, std::int16_t>> spans;
  std::vector<std::int16_t> places;
};

struct PlotPanel {
  std::string name;
  std::string note;  // shown inside the panel (why it holds no findings), else empty
  PlotGraphData data;
  std::vector<PlotMark> marks;    // in place order
  std::vector<PlotTrack> tracks;  // in legend order
  float low = 0, high = 1;        // the value range drawn, with a margin
};

struct PlotModel {
  std::string title;
  std::string subtitle;
  std::vector<std::string> labels;
  std::vector<std::int16_t> split_starts;
  std::optional<std::int16_t> diagnosed_from;  // places before it are drawn as diagnosed earlier
  std::vector<PlotPanel> panels;
  std::vector<PlotSignal> legend;  // the signals that fired, in the order the tests run
};

// The model of `chart` with the findings of `findings` marked on it. Findings outside the chart's
// places are left out; a point is marked only where the graph has a value.
PlotModel BuildPlotModel(const PlotChartData& chart, const PlotFindings& findings);

// Axis ticks: multiples of a step of 1, 2 or 5 times a power of ten covering low..high with at
// most `max_ticks` ticks (at least 2). REQUIRES: low < high, both finite.
struct Ticks {
  double step = 1;
  std::vector<double> values;
};
Ticks NiceTicks(double low, double high, int max_ticks);

// A tick's text with just the decimals its step needs ("0.25", "60", "-1.5").
std::string TickText(double value, double step);

// A line's value as its end label shows it: five significant digits ("63.57", "12.001").
std::string ShortValue(float value);

// Every how many places a label fits when labels need `label_space` pixels and places lie
// `place_space` pixels apart: 1, 2 or 5 times a power of ten.
int LabelStep(double place_space, double label_space);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_MODEL_H_
