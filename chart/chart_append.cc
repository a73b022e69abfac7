#include "chart/chart_append.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "chart/chart_layout.h"
#include "chart/control_limits.h"
#include "chart/member_arrays.h"

namespace ostrevin {
namespace {

using Id = MemberId;

constexpr std::int64_t kMaxValues = std::numeric_limits<std::int16_t>::max();
constexpr std::int16_t kMaxSplits = 100;

Result<ChartKind> KindOf(const ChartReader& chart) {
  Result<std::int16_t> ctype = chart.Integer(Id::CType);
  if (!ctype) return ctype.error();
  Result<bool> sd = chart.Boolean(Id::SubGpSd);
  Result<bool> median = chart.Boolean(Id::MedFlag);
  Result<bool> trend = chart.Boolean(Id::SubGpLinearTrend);
  if (!sd || !median || !trend)
    return Error::InvalidInput("the chart's subgroup flags are unreadable");
  if (*ctype == -1) return ChartKind::kIndividuals;
  if (*ctype == -4) return ChartKind::kProportions;
  if (*ctype == -3 && !*median && !*trend)
    return *sd ? ChartKind::kMeansSDs : ChartKind::kMeansRanges;
  std::string axis;
  if (*ctype == -5) {
    Result<VArray> axes = chart.Array(Id::VAxis);
    if (!axes) return axes.error();
    if (Result<std::string> first = axes->At(0).ToString()) axis = *first;
    for (ChartKind kind :
         {ChartKind::kDefects, ChartKind::kDefectsPerUnit, ChartKind::kNonconforming}) {
      if (axis == AttributeAxis(kind)) return kind;
    }
  }
  return Error::InvalidInput(
      "a chart of CType " + std::to_string(*ctype) +
      (*ctype == -3 ? " with medians or a trend" : "") +
      (*ctype == -5 ? " and the axis \"" + axis + "\"" : "") +
      " cannot take new rows: add takes the charts \"ostrevin chart\" builds: individual values "
      "(CType -1), subgroup means (CType -3), proportions (CType -4) and counts (CType -5, "
      "VAxis(0) \"Defects\", \"Defects per unit\" or \"Number nonconforming\")");
}

// A stored value as the decimal number its chart file shows (the shortest text that reads back as
// it), so that the moving range across the join is worked out as if the rows had come together.
double AsWritten(float value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double number = value;
  std::from_chars(text, written.ptr, number);
  return number;
}

// The lines of both graphs at `place`.
Result<Lines> LinesAt(const std::array<GrownArray*, 6>& stats, std::size_t place) {
  Lines lines;
  for (std::size_t g = 0; g < 2; ++g) {
    Result<float> ucl = stats[0]->Get<float>(place, g), lcl = stats[1]->Get<float>(place, g),
                  centre = stats[2]->Get<float>(place, g);
    Result<bool> ucl_on = stats[3]->Get<bool>(place, g), lcl_on = stats[4]->Get<bool>(place, g),
                 centre_on = stats[5]->Get<bool>(place, g);
    if (!ucl || !lcl || !centre || !ucl_on || !lcl_on || !centre_on)
      return Error::InvalidInput("the lines at place " + std::to_string(place) + " are unreadable");
    lines[g] = {*ucl, *centre, *lcl, *ucl_on, *centre_on, *lcl_on};
  }
  return lines;
}

Status PutLines(const std::array<GrownArray*, 6>& stats, std::size_t place, const Lines& lines) {
  for (std::size_t g = 0; g < 2; ++g) {
    const GraphLines& l = lines[g];
    const Variant values[] = {l.ucl,         l.lcl,         l.centre,
                              l.ucl_visible, l.lcl_visible, l.centre_visible};
    for (std::size_t k = 0; k < 6; ++k) {
      if (Status put = stats[k]->Put(place, values[k], g); !put) return put;
    }
  }
  return Ok{};
}

// What an append makes of a chart: its kind, its places before and after, and the new rows.
struct Growth {
  ChartKind kind;
  bool subgroups;
  std::int16_t subgroup_size;
  std::int32_t places;  // before
  std::int32_t total;   // after
  const ChartInput& in;

  std::int32_t added() const { return total - places; }
  std::span<const double> row(std::int32_t j) const { return in.rows[static_cast<std::size_t>(j)]; }
};

// Splitp, Split and NewXV, and the lines of a new extras split: copies of the split before it.
// `extras_first` is set to the first place of the extras split.
Status AddSplits(const ChartReader& chart, const Growth& g, ChartMembers& m,
                 std::size_t& extras_first) {
  Result<std::int16_t> splitp = chart.Integer(Id::Splitp);
  Result<VArray> split = chart.Array(Id::Split), new_xv = chart.Array(Id::NewXV);
  if (!splitp || !split || !new_xv) return Error::InvalidInput("the chart's splits are unreadable");
  if (*splitp < 1 || *splitp > kMaxSplits)
    return Error::InvalidInput("the chart has no splits to add to");
  Result<std::vector<std::int16_t>> read_bounds =
      FixedList<std::int16_t>(*split, 0, *splitp + 1, 0, "Split");
  Result<std::vector<std::int16_t>> read_extras =
      FixedList<std::int16_t>(*new_xv, 0, *splitp, 0, "NewXV");
  if (!read_bounds || !read_extras) return Error::InvalidInput("the chart's splits are unreadable");
  std::vector<std::int16_t> bounds = std::move(read_bounds).value();
  std::vector<std::int16_t> extras = std::move(read_extras).value();
  if (bounds.back() != g.places)
    return Error::InvalidInput("the chart's splits end at place " +
                               std::to_string(bounds.back() - 1) + ", not at its last place " +
                               std::to_string(g.places - 1));
  const bool extending = extras.back() != 0;
  if (!extending && *splitp == kMaxSplits)
    return Error::InvalidInput("the chart has " + std::to_string(kMaxSplits) +
                               " splits, the most a chart holds, and the new rows need a split "
                               "of their own");
  extras_first = static_cast<std::size_t>(extending ? bounds[bounds.size() - 2] : g.places);
  const auto splits_after = static_cast<std::int16_t>(extending ? *splitp : *splitp + 1);
  bounds.back() = static_cast<std::int16_t>(extending ? g.total : g.places);
  if (!extending) {
    bounds.push_back(static_cast<std::int16_t>(g.total));
    extras.push_back(-1);
  }
  m.push_back({Id::Splitp, splits_after});
  m.push_back({Id::Split, IntegerList(bounds)});
  m.push_back({Id::NewXV, IntegerList(extras)});
  const std::int32_t copies = extending ? 0 : 1;
  for (Id id : {Id::Ucl, Id::Lcl}) {
    Result<VArray> pairs = chart.Array(id);
    if (!pairs) return pairs.error();
    std::vector<std::array<float, 2>> rows;
    for (std::int32_t s = 0; s < splits_after - copies; ++s) {
      Result<float> a = Element<float>(*pairs, static_cast<std::size_t>(2 * s), Info(id).name);
      Result<float> b = Element<float>(*pairs, static_cast<std::size_t>(2 * s + 1), Info(id).name);
      if (!a || !b) return Error::InvalidInput("the chart's limits are unreadable");
      rows.push_back({*a, *b});
    }
    if (copies) rows.push_back(rows.back());
    m.push_back({id, SinglePairs(rows)});
  }
  for (Id id : {Id::Mx, Id::Mr}) {
    Result<VArray> centres = chart.Array(id);
    if (!centres) return centres.error();
    Result<std::vector<float>> list =
        FixedList<float>(*centres, 1, splits_after, copies, Info(id).name);
    if (!list) return list.error();
    m.push_back({id, SingleList(*list)});
  }
  return Ok{};
}

// Every place's lines: the new places get those of the last place before them (on p and u
// charts, for their own sample size). Gives whether the lines vary within the extras split.
Result<bool> AddPlaceLines(const ChartReader& chart, const Growth& g, std::size_t extras_first,
                           ChartMembers& m) {
  std::vector<GrownArray> stats;
  for (Id id :
       {Id::PointStatsUcl, Id::PointStatsLcl, Id::PointStatsCentre, Id::PointStatsblnUclVisible,
        Id::PointStatsblnLclVisible, Id::PointStatsblnCentreVisible}) {
    Result<GrownArray> grown = GrownArray::Of(chart, id, static_cast<std::size_t>(g.total));
    if (!grown) return grown.error();
    stats.push_back(std::move(grown).value());
  }
  const std::array<GrownArray*, 6> lines_of = {&stats[0], &stats[1], &stats[2],
                                               &stats[3], &stats[4], &stats[5]};
  Result<Lines> fixed = LinesAt(lines_of, static_cast<std::size_t>(g.places - 1));
  if (!fixed) return fixed.error();
  // The lines of the extras split's first place: read when the split is extended, else those
  // of the first new place.
  std::optional<Lines> first;
  if (extras_first < static_cast<std::size_t>(g.places)) {
    Result<Lines> read = LinesAt(lines_of, extras_first);
    if (!read) return read.error();
    first = *read;
  }
  bool vary = false;
  for (std::int32_t j = 0; j < g.added(); ++j) {
    const Lines lines = ExtrasLines(g.kind, *fixed, g.row(j));
    Status put = PutLines(lines_of, static_cast<std::size_t>(g.places + j), lines);
    if (!put) return put.error();
    if (!first) first = lines;
    vary = vary || lines != *first;
  }
  for (GrownArray& array : stats) m.push_back(std::move(array).Member());
  return vary;
}

Status AddLabels(const ChartReader& chart, const Growth& g, ChartMembers& m) {
  Result<GrownArray> labels = GrownArray::Of(chart, Id::HAxL, static_cast<std::size_t>(g.total));
  if (!labels) return labels.error();
  for (std::int32_t j = 0; j < g.added(); ++j) {
    Status put = labels.value().Put(static_cast<std::size_t>(g.places + j),
                                    g.in.labels[static_cast<std::size_t>(j)]);
    if (!put) return put;
  }
  m.push_back(std::move(labels).value().Member());
  return Ok{};
}

// An attribute chart's values and flags, GV and PGVI.
Status AddCounts(const ChartReader& chart, const Growth& g, ChartMembers& m) {
  const Attribute attribute = AttributeOf(g.kind);
  const auto rows = static_cast<std::size_t>(g.total);
  Result<GrownArray> gv = GrownArray::Of(chart, Id::GV, rows);
  Result<GrownArray> flags = GrownArray::Of(chart, Id::PGVI, rows);
  if (!gv) return gv.error();
  if (!flags) return flags.error();
  for (std::int32_t j = 0; j < g.added(); ++j) {
    const std::span<const double> row = g.row(j);
    const auto place = static_cast<std::size_t>(g.places + j);
    const double n = attribute == Attribute::kDefects ? 1 : row[1];
    const auto value = static_cast<float>(AttributeValue(attribute, row[0], n));
    if (Status put = gv.value().Put(place, value); !put) return put;
    if (Status put = flags.value().Put(place, std::int16_t{1}); !put) return put;
  }
  m.push_back(std::move(gv).value().Member());
  m.push_back(std::move(flags).value().Member());
  return Ok{};
}

// The measurements and their flags (XData, XDataI), and the second graph's values and flags
// (RData, RDataI): moving ranges, one place before the place they end at, the first across the
// join; or the subgroups' means and spreads in pairs.
Status AddMeasurements(const ChartReader& chart, const Growth& g, ChartMembers& m) {
  const auto rows = static_cast<std::size_t>(g.total);
  const std::size_t per_place = g.subgroups ? static_cast<std::size_t>(g.subgroup_size) : 1;
  Result<GrownArray> x = GrownArray::Of(chart, Id::XData, rows * per_place);
  Result<GrownArray> x_flags = GrownArray::Of(chart, Id::XDataI, rows * per_place);
  Result<GrownArray> r = GrownArray::Of(chart, Id::RData, g.subgroups ? 2 * rows : rows - 1);
  Result<GrownArray> r_flags = GrownArray::Of(chart, Id::RDataI, g.subgroups ? rows : rows - 1);
  if (!x) return x.error();
  if (!x_flags) return x_flags.error();
  if (!r) return r.error();
  if (!r_flags) return r_flags.error();
  const auto last = static_cast<std::size_t>(g.places - 1);
  Result<float> before = x->Get<float>(last);
  Result<std::int16_t> before_flag = x_flags->Get<std::int16_t>(last);
  if (!before || !before_flag) return Error::InvalidInput("the chart's last value is unreadable");
  double previous = AsWritten(*before);
  bool previous_kept = *before_flag != 0;
  const Spread spread = g.kind == ChartKind::kMeansSDs ? Spread::kSD : Spread::kRange;
  for (std::int32_t j = 0; j < g.added(); ++j) {
    const std::span<const double> row = g.row(j);
    const auto place = static_cast<std::size_t>(g.places + j);
    for (std::size_t c = 0; c < per_place; ++c) {
      const bool blank = std::isnan(row[c]);  // a place without a value
      const float value = blank ? 0.0f : static_cast<float>(row[c]);
      if (Status put = x.value().Put(place * per_place + c, value); !put) return put;
      Status put =
          x_flags.value().Put(place * per_place + c, static_cast<std::int16_t>(blank ? 0 : 1));
      if (!put) return put;
    }
    Status put = Ok{};
    if (g.subgroups) {
      const double mean = SubgroupMean(row);
      put = r.value().Put(2 * place, static_cast<float>(mean));
      if (put)
        put = r.value().Put(2 * place + 1, static_cast<float>(SubgroupSpread(row, mean, spread)));
      if (put) put = r_flags.value().Put(place, std::int16_t{1});
    } else {
      const bool kept = previous_kept && !std::isnan(row[0]);
      put =
          r.value().Put(place - 1, kept ? static_cast<float>(std::fabs(row[0] - previous)) : 0.0f);
      if (put) put = r_flags.value().Put(place - 1, static_cast<std::int16_t>(kept ? 1 : 0));
      previous = row[0];
      previous_kept = !std::isnan(row[0]);
    }
    if (!put) return put;
  }
  m.push_back(std::move(x).value().Member());
  m.push_back(std::move(x_flags).value().Member());
  m.push_back(std::move(r).value().Member());
  m.push_back(std::move(r_flags).value().Member());
  return Ok{};
}

// Fails with an error naming the table, `table_fault` set, or one that does not name the chart.
Result<ChartMembers> Append(const ChartAccess& access, const CsvTable& table,
                            std::string_view table_name, const ChartOptions& columns,
                            bool& table_fault) {
  const ChartReader chart(access);
  Result<ChartKind> kind = KindOf(chart);
  if (!kind) return kind.error();
  const bool subgroups = *kind == ChartKind::kMeansRanges || *kind == ChartKind::kMeansSDs;
  Result<std::int16_t> last = chart.Integer(subgroups ? Id::NSam : Id::TNVal);
  Result<std::int16_t> size = chart.Integer(Id::SubGroupSampeSize);
  if (!last || !size) return Error::InvalidInput("the chart's sizes are unreadable");
  const std::int32_t places = std::int32_t{*last} + 1;
  if (places < 1) return Error::InvalidInput("the chart has no places to add to");

  ChartOptions options = columns;
  options.kind = *kind;
  if (*kind == ChartKind::kNonconforming) options.sample_size = *size;
  table_fault = true;
  Result<ChartInput> read = ReadChartRows(table, options, places + 1);
  if (!read) return read.error().WithContext(table_name);
  const auto added = static_cast<std::int32_t>(read->rows.size());
  if (added == 0) return Error::InvalidInput("no data rows to add").WithContext(table_name);
  const std::size_t value_columns = read->value_names.size();
  if (subgroups && value_columns != static_cast<std::size_t>(*size))
    return Error::InvalidInput("the chart's subgroups hold " + std::to_string(*size) +
                               " values; the table has " + std::to_string(value_columns) +
                               " value columns")
        .WithContext(table_name);
  table_fault = false;
  const Growth g{*kind, subgroups, *size, places, places + added, *read};
  const std::int64_t values = std::int64_t{g.total} * (subgroups ? *size : 1);
  if (values > kMaxValues)
    return Error::InvalidInput("too many values: a chart holds at most " +
                               std::to_string(kMaxValues) + ", with these rows it would hold " +
                               std::to_string(values));

  ChartMembers m;
  m.push_back({subgroups ? Id::NSam : Id::TNVal, static_cast<std::int16_t>(g.total - 1)});
  if (subgroups) m.push_back({Id::TNVal, static_cast<std::int16_t>(values - 1)});
  std::size_t extras_first = 0;
  if (Status splits = AddSplits(chart, g, m, extras_first); !splits) return splits.error();
  Result<bool> lines_vary = AddPlaceLines(chart, g, extras_first, m);
  if (!lines_vary) return lines_vary.error();
  if (Status labels = AddLabels(chart, g, m); !labels) return labels.error();
  // Lines that vary within a split count as such only with the flag (p and u charts).
  if (*lines_vary) m.push_back({Id::blnWavypuChart, true});
  Status values_added =
      IsAttributeKind(g.kind) ? AddCounts(chart, g, m) : AddMeasurements(chart, g, m);
  if (!values_added) return values_added.error();
  return m;
}

}  // namespace

Result<ChartMembers> AppendRows(const ChartAccess& chart, std::string_view chart_name,
                                const CsvTable& table, std::string_view table_name,
                                const ChartOptions& columns) {
  bool table_fault = false;
  Result<ChartMembers> members = Append(chart, table, table_name, columns, table_fault);
  if (members || table_fault) return members;
  return members.error().WithContext(chart_name);
}

}  // namespace ostrevin
