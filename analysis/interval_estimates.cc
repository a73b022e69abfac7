#include "analysis/interval_estimates.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ostrevin {
namespace {

constexpr double kTwoSided95 = 0.025;

// Bisection for the x in [lo, hi] at which the increasing function cdf reaches p.
template <class Cdf>
double Invert(Cdf cdf, double p, double lo, double hi) {
  for (int i = 0; i < 200 && hi - lo > 1e-12 * (1 + hi); ++i) {
    const double mid = (lo + hi) / 2;
    (cdf(mid) < p ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// P(X <= x) for chi-square with 2k degrees of freedom: the chance that a Poisson count of mean
// x / 2 is k or more.
double ChiSquareCdfEven(double x, std::int64_t k) {
  const double lambda = x / 2;
  if (lambda <= 0) return 0;
  double below = 0;
  for (std::int64_t i = 0; i < k; ++i)
    below += std::exp(-lambda + static_cast<double>(i) * std::log(lambda) -
                      std::lgamma(static_cast<double>(i) + 1));
  return 1 - below;
}

}  // namespace

double NormalQuantile(double p) {
  return Invert([](double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }, p, -40, 40);
}

double ChiSquareQuantile(double p, std::int64_t df) {
  const auto v = static_cast<double>(df);
  // Up to 400 degrees of freedom the exact sum for even ones; beyond, or for odd ones, the
  // Wilson-Hilferty cube, whose error is far below the sampling error there.
  if (df % 2 == 0 && df <= 400)
    return Invert([&](double x) { return ChiSquareCdfEven(x, df / 2); }, p, 0,
                  v + 20 * std::sqrt(2 * v) + 50);
  const double c = 2 / (9 * v);
  return v * std::pow(std::max(0.0, 1 - c + NormalQuantile(p) * std::sqrt(c)), 3);
}

Interval ShareInterval(std::int64_t successes, std::int64_t trials) {
  const double z = NormalQuantile(1 - kTwoSided95);
  const auto n = static_cast<double>(trials);
  const double share = static_cast<double>(successes) / n;
  const double scale = 1 + z * z / n;
  const double centre = (share + z * z / (2 * n)) / scale;
  const double half = z / scale * std::sqrt(share * (1 - share) / n + z * z / (4 * n * n));
  return {share, std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

Interval RunLengthInterval(std::int64_t points, std::int64_t signals) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double twice = 2 * static_cast<double>(points);
  Interval arl{kInfinity, twice / ChiSquareQuantile(1 - kTwoSided95, 2 * signals + 2), kInfinity};
  if (signals > 0) {
    arl.estimate = static_cast<double>(points) / static_cast<double>(signals);
    arl.high = twice / ChiSquareQuantile(kTwoSided95, 2 * signals);
  }
  return arl;
}

}  // namespace ostrevin
