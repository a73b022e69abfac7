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

// A value and its flag: the value counts where the flag is non-zero.
std::optional<float> Flagged(std::optional<float> value, std::optional<std::int16_t> flag) {
  if (!value || !flag || *flag == 0) return std::nullopt;
  return value;
}

struct ChartArrays {
  ArrayOf x_data, x_flags, r_data, r_flags, gv, pgv_flags, labels, split;
  ArrayOf ucl, centre, lcl, ucl_shown, centre_shown, lcl_shown;

  Status Read(const ChartAccess& chart) {
    const std::pair<std::string_view, ArrayOf*> members[] = {
        {"XData", &x_data},
        {"XDataI", &x_flags},
        {"RData", &r_data},
        {"RDataI", &r_flags},
        {"GV", &gv},
        {"PGVI", &pgv_flags},
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

  // What graph g plots at place p, by chart type: measurements and single series in XData, a
  // measurements chart's moving ranges in RData (one per place after the first), both graphs of
  // a subgroup chart in RData side by side, charts with varying limits and CuSum charts in GV.
  std::optional<float> Value(std::int16_t type, std::int32_t g, std::int32_t p) const {
    switch (type) {
      case -7:
        return Flagged(gv.At<float>(p), x_flags.At<std::int16_t>(p));
      case -5:
      case -4:
        return Flagged(gv.At<float>(p), pgv_flags.At<std::int16_t>(p));
      case -3:
        return Flagged(r_data.At<float>(2 * p + g), r_flags.At<std::int16_t>(p));
      case -1:
        if (g == 0) break;
        return Flagged(r_data.At<float>(p - 1), r_flags.At<std::int16_t>(p - 1));
      default:
        break;
    }
    return Flagged(x_data.At<float>(p), x_flags.At<std::int16_t>(p));
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
                                    std::size_t graphs) {
  ChartArrays a;
  if (Status read = a.Read(chart); !read) return read.error();
  Result<std::int16_t> type = ScalarOf(chart, "CType");
  if (!type) return type.error();
  Result<std::int16_t> splits = ScalarOf(chart, "Splitp");
  if (!splits) return splits.error();

  PlotChartData data;
  for (std::int32_t p = 0; p <= last_place; ++p)
    data.labels.push_back(a.labels.At<std::string>(p).value_or(""));
  for (std::int32_t s = 1; s < *splits; ++s) {
    const std::optional<std::int16_t> first = a.split.At<std::int16_t>(s);
    if (first && *first > 0 && *first <= last_place) data.split_starts.push_back(*first);
  }
  for (std::int32_t g = 0; g < static_cast<std::int32_t>(graphs); ++g) {
    PlotGraphData graph;
    for (std::int32_t p = 0; p <= last_place; ++p) {
      graph.values.push_back(a.Value(*type, g, p));
      graph.lines.push_back(a.Lines(g, p));
    }
    data.graphs.push_back(std::move(graph));
  }
  return data;
}

Result<PlotModel> PlotModelOf(const ChartAccess& chart, std::string_view findings_json,
                              std::string_view fallback_title) {
  Result<PlotDiagnosis> diagnosis = ReadPlotFindings(findings_json);
  if (!diagnosis) return diagnosis.error();
  Result<PlotChartData> data =
      ReadPlotChart(chart, diagnosis->last_place, diagnosis->findings.graphs.size());
  if (!data) return data.error();
  PlotModel model = BuildPlotModel(*data, diagnosis->findings);
  if (model.title.empty()) model.title = fallback_title;
  return model;
}

}  // namespace ostrevin
