#include "analysis/stable_chart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ostrevin {
namespace {

// A whole array of `count` places, each `value`; by place and graph when `graphs`, and then only
// graph 0 is set (graph 1 stays zero or False).
Variant Filled(VarType type, std::int16_t count, bool graphs, const Variant& value) {
  std::vector<Bounds> dims{{0, count - 1}};
  if (graphs) dims.push_back({0, 1});
  VArray array(type, dims);
  const std::size_t step = graphs ? 2 : 1;
  for (std::size_t flat = 0; flat < array.size(); flat += step)
    array.Put(flat, value).ValueOrThrow();
  return Variant(std::move(array));
}

}  // namespace

namespace {

// The pair of numbers two draws make: radius and angle from the draws, then cosine and sine.
std::pair<double, double> PairOf(std::uint64_t first, std::uint64_t second) {
  // u1 in (0, 1], so that its logarithm is finite; u2 in [0, 1).
  const double u1 = 1 - static_cast<double>(first >> 11) * 0x1.0p-53;
  const double u2 = static_cast<double>(second >> 11) * 0x1.0p-53;
  const double radius = std::sqrt(-2 * std::log(u1));
  return {radius * std::cos(2 * std::numbers::pi * u2),
          radius * std::sin(2 * std::numbers::pi * u2)};
}

}  // namespace

double NormalSource::Next() {
  if (has_spare_) {
    has_spare_ = false;
    return spare_;
  }
  const std::uint64_t first = engine_();
  const std::uint64_t second = engine_();
  const auto [cosine, sine] = PairOf(first, second);
  spare_ = sine;
  has_spare_ = true;
  return cosine;
}

void NormalSource::DrawPairs(std::span<std::uint64_t> raw) {
  for (std::uint64_t& draw : raw) draw = engine_();
}

void NormalSource::Normals(std::span<const std::uint64_t> raw, std::size_t first,
                           std::span<float> out) {
  const std::size_t end = first + out.size();
  for (std::size_t pair = first / 2; 2 * pair < end; ++pair) {
    const auto [cosine, sine] = PairOf(raw[2 * pair], raw[2 * pair + 1]);
    if (2 * pair >= first) out[2 * pair - first] = static_cast<float>(cosine);
    if (2 * pair + 1 < end) out[2 * pair + 1 - first] = static_cast<float>(sine);
  }
}

// The chart is made here with bounds that hold every value put into it, so a failed put is a
// fault of this code and is thrown.
StableChart::StableChart(std::int16_t points) {
  clsData& d = data_;
  d.SetCType(-2);
  d.SetIsDataIn(true);
  d.SetTNVal(static_cast<std::int16_t>(points - 1));
  d.SetSplitp(1);
  d.SetSplit(0, 0).ValueOrThrow();
  d.SetSplit(1, points).ValueOrThrow();
  d.SetMx(1, 0.0f).ValueOrThrow();
  d.SetUcl(1, 0, 3.0f).ValueOrThrow();
  d.SetLcl(1, 0, -3.0f).ValueOrThrow();
  d.SetQuickPointStatsUcl(Filled(VarType::Single, points, true, 3.0f)).ValueOrThrow();
  d.SetQuickPointStatsLcl(Filled(VarType::Single, points, true, -3.0f)).ValueOrThrow();
  d.SetQuickPointStatsCentre(Filled(VarType::Single, points, true, 0.0f)).ValueOrThrow();
  for (MemberId id : {MemberId::PointStatsblnUclVisible, MemberId::PointStatsblnLclVisible,
                      MemberId::PointStatsblnCentreVisible})
    d.PutWholeArray(id, Filled(VarType::Boolean, points, true, true)).ValueOrThrow();
  d.SetQuickXData(Filled(VarType::Single, points, false, 0.0f)).ValueOrThrow();
  d.SetQuickXdataI(Filled(VarType::Integer, points, false, std::int16_t{1})).ValueOrThrow();
  d.SetQuickPGV(Filled(VarType::Single, points, false, 0.0f)).ValueOrThrow();
  d.SetQuickPGVI(Filled(VarType::Integer, points, false, std::int16_t{1})).ValueOrThrow();
}

void StableChart::Set(std::span<const float> values) {
  // The report composer copies XData into PGV before the run driver reads it; done here directly,
  // into the storage the constructor made for both.
  const auto count = static_cast<std::int32_t>(values.size());
  data_
      .PutWholeArray(MemberId::XData,
                     Variant(VArray(VarType::Single, {{0, count - 1}},
                                    std::vector<float>(values.begin(), values.end()))))
      .ValueOrThrow();
  const std::span<float> plotted = data_.PlottedValueStorage(values.size());
  std::copy(values.begin(), values.end(), plotted.begin());
}

}  // namespace ostrevin
