#include "chart/chart_layout.h"

#include <cmath>
#include <cstdint>

namespace ostrevin {
namespace {

using Id = MemberId;

std::int16_t Int16(std::size_t n) {
  return static_cast<std::int16_t>(n);
}

// Column `column` of every row as stored: a place without a value (NaN) as 0.
std::vector<float> Floats(const NumberRows& rows, std::size_t column) {
  std::vector<float> values;
  values.reserve(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const double x = rows[k][column];
    values.push_back(std::isnan(x) ? 0.0f : static_cast<float>(x));
  }
  return values;
}

// CType, titles and IsDataIn: what every chart starts with.
ChartMembers Head(const ChartInput& in, std::int16_t ctype, std::vector<std::string> axes) {
  ChartMembers m{{Id::CType, ctype}};
  if (!in.title.empty()) m.push_back({Id::Title, StringList({in.title})});
  m.push_back({Id::VAxis, StringList(std::move(axes))});
  if (in.kind == ChartKind::kProportions)
    m.push_back({Id::strpuColDescription, StringList(in.value_names)});
  m.push_back({Id::IsDataIn, true});
  return m;
}

// The splits with limits of their own, then the extras split.
std::vector<SplitRange> AllSplits(const ChartInput& in) {
  std::vector<SplitRange> all = in.splits;
  if (in.extras) all.push_back(*in.extras);
  return all;
}

// Every split's lines: the ones worked out, and for an extras split those of the split before.
std::vector<Lines> WithExtras(const ChartInput& in, std::vector<Lines> lines) {
  if (in.extras) lines.push_back(lines.back());
  return lines;
}

// Splitp and Split, NewXV for an extras split, the central lines (Mx and Mr, or Mr alone on a p
// chart) and Ucl, Lcl.
void AddSplits(ChartMembers& m, const ChartInput& in, const std::vector<Lines>& lines) {
  std::vector<std::int16_t> bounds;
  std::vector<float> mx, mr;
  std::vector<std::array<float, 2>> ucl, lcl;
  const std::vector<SplitRange> all = AllSplits(in);
  for (std::size_t s = 0; s < lines.size(); ++s) {
    bounds.push_back(Int16(all[s].first));
    mx.push_back(lines[s][0].centre);
    mr.push_back(lines[s][1].centre);
    ucl.push_back({lines[s][0].ucl, lines[s][1].ucl});
    lcl.push_back({lines[s][0].lcl, lines[s][1].lcl});
  }
  bounds.push_back(Int16(in.rows.size()));
  m.push_back({Id::Splitp, Int16(lines.size())});
  m.push_back({Id::Split, IntegerList(bounds)});
  if (in.extras) {
    std::vector<std::int16_t> extras(lines.size(), 0);
    extras.back() = -1;
    m.push_back({Id::NewXV, IntegerList(extras)});
  }
  if (in.kind == ChartKind::kProportions) {
    m.push_back({Id::Mr, SingleList(mx)});  // a p chart's central line sits in Mr
  } else if (IsAttributeKind(in.kind)) {
    m.push_back({Id::Mx, SingleList(mx)});
  } else {
    m.push_back({Id::Mx, SingleList(mx)});
    m.push_back({Id::Mr, SingleList(mr)});
  }
  m.push_back({Id::Ucl, SinglePairs(ucl)});
  m.push_back({Id::Lcl, SinglePairs(lcl)});
}

// The per-place lines and their visibility, both graphs at each place: `places` of them, the
// lines of place k being lines_at(k). The arrays are filled where they are stored.
template <class LinesAt>
void AddPlaceLines(ChartMembers& m, std::size_t places, LinesAt lines_at) {
  const std::initializer_list<Bounds> dims{Bounds{0, static_cast<std::int32_t>(places) - 1},
                                           Bounds{0, 1}};
  VArray ucl(VarType::Single, dims), lcl(VarType::Single, dims), centre(VarType::Single, dims);
  VArray ucl_on(VarType::Boolean, dims), lcl_on(VarType::Boolean, dims),
      centre_on(VarType::Boolean, dims);
  const std::span<float> u = ucl.MutableElements<float>(), l = lcl.MutableElements<float>(),
                         c = centre.MutableElements<float>();
  const std::span<unsigned char> u_on = ucl_on.MutableElements<unsigned char>(),
                                 l_on = lcl_on.MutableElements<unsigned char>(),
                                 c_on = centre_on.MutableElements<unsigned char>();
  for (std::size_t k = 0; k < places; ++k) {
    const Lines& lines = lines_at(k);
    for (std::size_t g = 0; g < 2; ++g) {
      const std::size_t at = 2 * k + g;
      u[at] = lines[g].ucl;
      l[at] = lines[g].lcl;
      c[at] = lines[g].centre;
      u_on[at] = lines[g].ucl_visible ? 1 : 0;
      l_on[at] = lines[g].lcl_visible ? 1 : 0;
      c_on[at] = lines[g].centre_visible ? 1 : 0;
    }
  }
  m.push_back({Id::PointStatsUcl, Variant(std::move(ucl))});
  m.push_back({Id::PointStatsLcl, Variant(std::move(lcl))});
  m.push_back({Id::PointStatsCentre, Variant(std::move(centre))});
  m.push_back({Id::PointStatsblnUclVisible, Variant(std::move(ucl_on))});
  m.push_back({Id::PointStatsblnLclVisible, Variant(std::move(lcl_on))});
  m.push_back({Id::PointStatsblnCentreVisible, Variant(std::move(centre_on))});
}

// Each split's lines at every place of the split.
void AddSplitLinesPerPlace(ChartMembers& m, const ChartInput& in,
                           const std::vector<Lines>& split_lines) {
  const std::vector<SplitRange> all = AllSplits(in);
  std::vector<std::uint8_t> split_of;  // the split of each place
  split_of.reserve(in.rows.size());
  for (std::size_t s = 0; s < all.size(); ++s)
    split_of.insert(split_of.end(), static_cast<std::size_t>(all[s].last - all[s].first + 1),
                    static_cast<std::uint8_t>(s));
  AddPlaceLines(m, split_of.size(),
                [&](std::size_t k) -> const Lines& { return split_lines[split_of[k]]; });
}

Result<ChartMembers> Individuals(ChartInput& in) {
  std::vector<double> values;
  values.reserve(in.rows.size());
  for (std::size_t k = 0; k < in.rows.size(); ++k) values.push_back(in.rows[k][0]);
  Result<IndividualsChart> chart = ComputeIndividuals(values, in.splits);
  const std::vector<float> x = Floats(in.rows, 0);
  if (!chart) return chart.error();
  ChartMembers m = Head(in, -1, {in.value_names[0], "Moving range"});
  m.push_back({Id::TNVal, Int16(x.size() - 1)});
  const std::vector<Lines> lines = WithExtras(in, chart->splits);
  AddSplits(m, in, lines);
  m.push_back({Id::HAxL, StringList(std::move(in.labels))});
  std::vector<std::int16_t> flags;
  flags.reserve(in.rows.size());
  for (double x : values) flags.push_back(std::isnan(x) ? 0 : 1);
  m.push_back({Id::XData, SingleList(x)});
  m.push_back({Id::XDataI, IntegerList(flags)});
  m.push_back({Id::RData, SingleList(chart->moving_ranges)});
  m.push_back({Id::RDataI, IntegerList(chart->range_flags)});
  AddSplitLinesPerPlace(m, in, lines);
  return m;
}

Result<ChartMembers> Subgroups(ChartInput& in) {
  const bool sd = in.kind == ChartKind::kMeansSDs;
  std::vector<float> all;
  for (std::size_t k = 0; k < in.rows.size(); ++k) {
    for (double v : in.rows[k]) all.push_back(static_cast<float>(v));
  }
  Result<SubgroupChart> chart =
      ComputeSubgroups(in.rows, sd ? Spread::kSD : Spread::kRange, in.splits);
  if (!chart) return chart.error();
  ChartMembers m = Head(in, -3, {"Subgroup mean", sd ? "Subgroup S.D." : "Subgroup range"});
  m.push_back({Id::SubGroupSampeSize, Int16(in.rows[0].size())});
  if (sd) m.push_back({Id::SubGpSd, true});
  m.push_back({Id::TNVal, Int16(all.size() - 1)});
  m.push_back({Id::NSam, Int16(in.rows.size() - 1)});
  const std::vector<Lines> lines = WithExtras(in, chart->splits);
  AddSplits(m, in, lines);
  std::vector<float> pairs;  // per subgroup: the first graph's value, then the second's
  for (std::size_t k = 0; k < in.rows.size(); ++k) {
    pairs.push_back(chart->means[k]);
    pairs.push_back(chart->spreads[k]);
  }
  m.push_back({Id::HAxL, StringList(std::move(in.labels))});
  m.push_back({Id::XData, SingleList(all)});
  m.push_back({Id::XDataI, IntegerList(std::vector<std::int16_t>(all.size(), 1))});
  m.push_back({Id::RData, SingleList(pairs)});
  m.push_back({Id::RDataI, IntegerList(std::vector<std::int16_t>(in.rows.size(), 1))});
  AddSplitLinesPerPlace(m, in, lines);
  return m;
}

// Whether a split's sample sizes vary; in an extras split, whether its lines do.
bool SizesVary(const ChartInput& in, const std::vector<Lines>& places) {
  for (const SplitRange& r : in.splits) {
    for (std::int32_t k = r.first + 1; k <= r.last; ++k) {
      if (in.rows[static_cast<std::size_t>(k)][1] != in.rows[static_cast<std::size_t>(r.first)][1])
        return true;
    }
  }
  if (!in.extras) return false;
  const SplitRange r = *in.extras;
  for (std::int32_t k = r.first + 1; k <= r.last; ++k) {
    if (places[static_cast<std::size_t>(k)] != places[static_cast<std::size_t>(r.first)])
      return true;
  }
  return false;
}

Result<ChartMembers> Attributes(ChartInput& in) {
  const Attribute attribute = AttributeOf(in.kind);
  std::vector<double> d, n;
  for (std::size_t k = 0; k < in.rows.size(); ++k) {
    const std::span<const double> row = in.rows[k];
    d.push_back(row[0]);
    n.push_back(attribute == Attribute::kDefects ? 1 : row[1]);
  }
  Result<AttributeChart> chart = ComputeAttributes(attribute, d, n, in.splits);
  if (!chart) return chart.error();
  const bool p = in.kind == ChartKind::kProportions;
  ChartMembers m = Head(in, p ? -4 : -5, {std::string(AttributeAxis(in.kind)), ""});
  std::vector<Lines> places = std::move(chart->places);
  const std::vector<Lines> lines = WithExtras(in, chart->splits);
  if (in.extras) {
    for (std::int32_t k = in.extras->first; k <= in.extras->last; ++k)
      places.push_back(ExtrasLines(in.kind, lines.back(), in.rows[static_cast<std::size_t>(k)]));
  }
  // The flag makes every split's limits count as varying; with one sample size throughout a split
  // they are level, and the summary and the tests that need level limits can use them.
  if (attribute != Attribute::kDefects && SizesVary(in, places))
    m.push_back({Id::blnWavypuChart, true});
  if (attribute == Attribute::kNonconforming)
    m.push_back({Id::SubGroupSampeSize, static_cast<std::int16_t>(n[0])});
  m.push_back({Id::TNVal, Int16(n.size() - 1)});
  AddSplits(m, in, lines);
  m.push_back({Id::HAxL, StringList(std::move(in.labels))});
  m.push_back({Id::GV, SingleList(chart->values)});
  m.push_back({Id::PGVI, IntegerList(std::vector<std::int16_t>(n.size(), 1))});
  AddPlaceLines(m, places.size(), [&](std::size_t k) -> const Lines& { return places[k]; });
  return m;
}

}  // namespace

Attribute AttributeOf(ChartKind kind) {
  switch (kind) {
    case ChartKind::kDefects:
      return Attribute::kDefects;
    case ChartKind::kDefectsPerUnit:
      return Attribute::kDefectsPerUnit;
    case ChartKind::kNonconforming:
      return Attribute::kNonconforming;
    default:
      return Attribute::kProportion;
  }
}

std::string_view AttributeAxis(ChartKind kind) {
  switch (kind) {
    case ChartKind::kDefects:
      return "Defects";
    case ChartKind::kDefectsPerUnit:
      return "Defects per unit";
    case ChartKind::kNonconforming:
      return "Number nonconforming";
    default:
      return "Proportion nonconforming";
  }
}

Lines ExtrasLines(ChartKind kind, const Lines& limit_split, std::span<const double> row) {
  if (kind != ChartKind::kProportions && kind != ChartKind::kDefectsPerUnit) return limit_split;
  // The stored central line, so that places added to the chart later get the same lines.
  return AttributeLines(AttributeOf(kind), limit_split[0].centre, row[1]);
}

Result<ChartMembers> LayOutChart(ChartInput input) {
  switch (input.kind) {
    case ChartKind::kIndividuals:
      return Individuals(input);
    case ChartKind::kMeansRanges:
    case ChartKind::kMeansSDs:
      return Subgroups(input);
    default:
      return Attributes(input);
  }
}

}  // namespace ostrevin
