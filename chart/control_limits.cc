#include "chart/control_limits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "chart/control_constants.h"

namespace ostrevin {
namespace {

auto At(const auto& v, std::int32_t i) {
  return v[static_cast<std::size_t>(i)];
}

// Mean of f(k) over k = first..last. REQUIRES: first <= last.
template <class F>
double MeanOver(std::int32_t first, std::int32_t last, F f) {
  double sum = 0;
  for (std::int32_t k = first; k <= last; ++k) sum += f(k);
  return sum / (last - first + 1);
}

GraphLines Shown(double centre, double ucl, double lcl, bool lcl_visible) {
  return {static_cast<float>(ucl),
          static_cast<float>(centre),
          static_cast<float>(lcl),
          true,
          true,
          lcl_visible};
}

// The split's name for messages, with place numbers as the report gives them.
Error NoSpread(std::size_t split, SplitRange r, const char* what) {
  return Error::InvalidInput("split " + std::to_string(split + 1) + " (place numbers " +
                             std::to_string(r.first + 1) + " to " + std::to_string(r.last + 1) +
                             "): " + what + ", so there are no control limits to work out");
}

double SampleSD(std::span<const double> xs, double mean) {
  double squares = 0;
  for (double x : xs) squares += (x - mean) * (x - mean);
  return std::sqrt(squares / static_cast<double>(xs.size() - 1));
}

}  // namespace

Result<IndividualsChart> ComputeIndividuals(const std::vector<double>& values,
                                            const std::vector<SplitRange>& splits) {
  IndividualsChart chart;
  const auto count = static_cast<std::int32_t>(values.size());
  // A range needs both its values; a place without a value (NaN) has none on either side.
  const auto has_range = [&](std::int32_t k) {
    return !std::isnan(At(values, k)) && !std::isnan(At(values, k - 1));
  };
  for (std::int32_t k = 1; k < count; ++k) {
    const bool kept = has_range(k);
    chart.moving_ranges.push_back(
        kept ? static_cast<float>(std::fabs(At(values, k) - At(values, k - 1))) : 0.0f);
    chart.range_flags.push_back(kept ? 1 : 0);
  }
  for (std::size_t s = 0; s < splits.size(); ++s) {
    const SplitRange r = splits[s];
    // A moving range across a split boundary mixes two periods: kept, but not plotted.
    if (r.first > 0) chart.range_flags[static_cast<std::size_t>(r.first - 1)] = 0;
    double sum = 0, ranges = 0;
    std::int32_t present = 0, kept = 0;
    for (std::int32_t k = r.first; k <= r.last; ++k) {
      if (std::isnan(At(values, k))) continue;
      sum += At(values, k);
      ++present;
      if (k > r.first && has_range(k)) {
        ranges += std::fabs(At(values, k) - At(values, k - 1));
        ++kept;
      }
    }
    if (kept == 0) return NoSpread(s, r, "no two places in a row hold values");
    const double mean = sum / present, mr = ranges / kept;
    if (mr == 0) return NoSpread(s, r, "every moving range is 0");
    chart.splits.push_back({Shown(mean, mean + kE2 * mr, mean - kE2 * mr, true),
                            Shown(mr, kD4MovingRange * mr, 0, false)});
  }
  return chart;
}

double SubgroupMean(std::span<const double> subgroup) {
  double sum = 0;
  for (double x : subgroup) sum += x;
  return sum / static_cast<double>(subgroup.size());
}

double SubgroupSpread(std::span<const double> subgroup, double mean, Spread spread) {
  if (spread == Spread::kSD) return SampleSD(subgroup, mean);
  const auto [lo, hi] = std::minmax_element(subgroup.begin(), subgroup.end());
  return *hi - *lo;
}

double AttributeValue(Attribute attribute, double count, double n) {
  switch (attribute) {
    case Attribute::kProportion:
    case Attribute::kDefectsPerUnit:
      return count / n;
    default:
      return count;
  }
}

Lines AttributeLines(Attribute attribute, double centre, double n) {
  double sigma = 0, ceiling = std::numeric_limits<double>::infinity();
  switch (attribute) {
    case Attribute::kProportion:
      sigma = std::sqrt(centre * (1 - centre) / n);
      ceiling = 1;
      break;
    case Attribute::kDefects:
      sigma = std::sqrt(centre);
      break;
    case Attribute::kDefectsPerUnit:
      sigma = std::sqrt(centre / n);
      break;
    case Attribute::kNonconforming:
      sigma = std::sqrt(centre * (1 - centre / n));
      ceiling = n;
      break;
  }
  const double lcl = std::max(0.0, centre - 3 * sigma);
  return {Shown(centre, std::min(ceiling, centre + 3 * sigma), lcl, lcl > 0), GraphLines{}};
}

Result<SubgroupChart> ComputeSubgroups(const NumberRows& subgroups, Spread spread,
                                       const std::vector<SplitRange>& splits) {
  SubgroupChart chart;
  std::vector<double> means, spreads;  // unrounded, for the limits
  for (std::size_t k = 0; k < subgroups.size(); ++k) {
    const std::span<const double> g = subgroups[k];
    means.push_back(SubgroupMean(g));
    spreads.push_back(SubgroupSpread(g, means.back(), spread));
    chart.means.push_back(static_cast<float>(means.back()));
    chart.spreads.push_back(static_cast<float>(spreads.back()));
  }
  const SubgroupFactors f =
      *FactorsForSubgroupSize(static_cast<int>(subgroups.empty() ? 0 : subgroups[0].size()));
  const double a = spread == Spread::kRange ? f.A2 : f.A3;
  const double lower = spread == Spread::kRange ? f.D3 : f.B3;
  const double upper = spread == Spread::kRange ? f.D4 : f.B4;
  for (std::size_t s = 0; s < splits.size(); ++s) {
    const SplitRange r = splits[s];
    const double grand = MeanOver(r.first, r.last, [&](std::int32_t k) { return At(means, k); });
    const double bar = MeanOver(r.first, r.last, [&](std::int32_t k) { return At(spreads, k); });
    if (bar == 0)
      return NoSpread(s, r, spread == Spread::kRange ? "every range is 0" : "every S.D. is 0");
    chart.splits.push_back({Shown(grand, grand + a * bar, grand - a * bar, true),
                            Shown(bar, upper * bar, lower * bar, lower > 0)});
  }
  return chart;
}

Result<AttributeChart> ComputeAttributes(Attribute attribute, const std::vector<double>& counts,
                                         const std::vector<double>& sizes,
                                         const std::vector<SplitRange>& splits) {
  AttributeChart chart;
  for (std::size_t k = 0; k < sizes.size(); ++k)
    chart.values.push_back(static_cast<float>(AttributeValue(attribute, counts[k], sizes[k])));
  for (std::size_t s = 0; s < splits.size(); ++s) {
    const SplitRange r = splits[s];
    double d = 0, n = 0;
    for (std::int32_t k = r.first; k <= r.last; ++k) {
      d += At(counts, k);
      n += At(sizes, k);
    }
    const double places = r.last - r.first + 1;
    const bool inspected =
        attribute == Attribute::kProportion || attribute == Attribute::kNonconforming;
    if (d == 0)
      return NoSpread(s, r, inspected ? "nothing is nonconforming" : "there are no defects");
    if (inspected && d == n) return NoSpread(s, r, "everything is nonconforming");
    // p̄ and ū per unit; c̄, and n·p̄ for one n throughout, per place.
    const bool per_place =
        attribute == Attribute::kDefects || attribute == Attribute::kNonconforming;
    const double centre = d / (per_place ? places : n);
    chart.splits.push_back(AttributeLines(attribute, centre, n / places));
    for (std::int32_t k = r.first; k <= r.last; ++k)
      chart.places.push_back(AttributeLines(attribute, centre, At(sizes, k)));
  }
  return chart;
}

}  // namespace ostrevin
