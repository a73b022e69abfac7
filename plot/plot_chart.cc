#include "plot/plot_chart.h"

#include <optional>

#include "plot/plot_findings.h"

namespace ostrevin {
namespace {

// One array of the container, read once, with element access that tolerates missing elements.
class ArrayOf {
 public:
  Status Read(const ChartAccess& chart, std::string_view name) {
    std::optional<ChartAccess::Lookup> found = chart.Find(name);
    if (!found)
      return Error::InvalidInput("the chart container has no member " + std::string(name));
    Result<VArray> array = chart.GetArray(*found->member);
    if (!array) return array.error();
    array_ = std::move(array).value();
    return Ok{};
  }

  template <class T>
  std::optional<T> At(std::int32_t i) const {
    return Element<T>(array_.Flat(i));
  }
  template <class T>
  std::optional<T> At(std::int32_t i, std::int32_t j) const {
    return Element<T>(array_.Flat(i, j));
  }

 private:
  template <class T>
  std::optional<T> Element(std::int64_t flat) const {
    if (flat < 0) return std::nullopt;
    Result<T> value = array_.Get<T>(static_cast<std::size_t>(flat));
    if (!value) return std::nullopt;
    return *value;
  }

  VArray array_;
};

struct ChartArrays {
  ArrayOf labels, split;
  ArrayOf ucl, centre, lcl, ucl_shown, centre_shown, lcl_shown;

  Status Read(const ChartAccess& chart) {
    const std::pair<std::string_view, ArrayOf*> members[] = {
        {"HAxL", &labels},
        {"Split", &split},
        {"PointStatsUcl", &ucl},
        {"PointStatsCentre", &centre},
        {"PointStatsLcl", &lcl},
        {"PointStatsblnUclVisible", &ucl_shown},
        {"PointStatsblnCentreVisible", &centre_shown},
        {"PointStatsblnLclVisible", &lcl_shown},
    };
    for (const auto& [name, array] : members) {
      if (Status read = array->Read(chart, name); !read) return read;
    }
    return Ok{};
  }

  PlotLines Lines(std::int32_t g, std::int32_t p) const {
    auto shown = [&](const ArrayOf& line, const ArrayOf& visible) -> std::optional<float> {
      if (!visible.At<bool>(p, g).value_or(false)) return std::nullopt;
      return line.At<float>(p, g);
    };
    return {shown(ucl, ucl_shown), shown(centre, centre_shown), shown(lcl, lcl_shown)};
  }
};

Result<std::int16_t> ScalarOf(const ChartAccess& chart, std::string_view name) {
  std::optional<ChartAccess::Lookup> found = chart.Find(name);
  if (!found) return Error::InvalidInput("the chart container has no member " + std::string(name));
  Result<Variant> value = chart.GetScalar(*found->member);
  if (!value) return value.error();
  return value->ToInteger(name);
}

}  // namespace

Result<PlotChartData> ReadPlotChart(const ChartAccess& chart, std::int16_t last_place,
                                    std::span<const PlottedSeries> plotted) {
  ChartArrays a;
  if (Status read = a.Read(chart); !read) return read.error();
  Result<std::int16_t> splits = ScalarOf(chart, "Splitp");
  if (!splits) return splits.error();

  PlotChartData data;
  for (std::int32_t p = 0; p <= last_place; ++p)
    data.labels.push_back(a.labels.At<std::string>(p).value_or(""));
  for (std::int32_t s = 1; s < *splits; ++s) {
    const std::optional<std::int16_t> first = a.split.At<std::int16_t>(s);
    if (first && *first > 0 && *first <= last_place) data.split_starts.push_back(*first);
  }
  for (std::int32_t g = 0; g < static_cast<std::int32_t>(plotted.size()); ++g) {
    PlotGraphData graph;
    const PlottedSeries& values = plotted[static_cast<std::size_t>(g)];
    for (std::int32_t p = 0; p <= last_place; ++p) {
      const auto k = static_cast<std::size_t>(p);
      graph.values.push_back(k < values.size() ? values[k] : std::nullopt);
      graph.lines.push_back(a.Lines(g, p));
    }
    data.graphs.push_back(std::move(graph));
  }
  return data;
}

Result<PlotModel> PlotModelOf(const ChartAccess& chart, std::string_view findings_json,
                              std::span<const PlottedSeries> plotted,
                              std::string_view fallback_title) {
  Result<PlotDiagnosis> diagnosis = ReadPlotFindings(findings_json);
  if (!diagnosis) return diagnosis.error();
  if (plotted.size() < diagnosis->findings.graphs.size())
    return Error::InvalidInput("the library gave the values of fewer graphs than it diagnosed");
  Result<PlotChartData> data =
      ReadPlotChart(chart, diagnosis->last_place, plotted.first(diagnosis->findings.graphs.size()));
  if (!data) return data.error();
  PlotModel model = BuildPlotModel(*data, diagnosis->findings);
  if (model.title.empty()) model.title = fallback_title;
  return model;
}

}  // namespace ostrevin
