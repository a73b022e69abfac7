#ifndef OSTREVIN_ANALYSIS_INTERVAL_ESTIMATES_H_
#define OSTREVIN_ANALYSIS_INTERVAL_ESTIMATES_H_

#include <cstdint>

namespace ostrevin {

// An estimate with its two-sided 95% confidence interval.
struct Interval {
  double estimate = 0;
  double low = 0;
  double high = 0;
};

// The share of `trials` that were `successes`, with the Wilson score interval.
// REQUIRES: 0 <= successes <= trials, trials > 0.
Interval ShareInterval(std::int64_t successes, std::int64_t trials);

// The average run length from `points` observed in all and `signals` first signals among them,
// when runs without a signal were cut off (censored): points / signals, the maximum-likelihood
// estimate for a constant chance of a signal at each point, with the chi-square interval of the
// time-truncated exponential model, [2T / χ²(0.975; 2d + 2), 2T / χ²(0.025; 2d)]. Without a
// signal the estimate and the upper end are +infinity. REQUIRES: points > 0, signals >= 0.
Interval RunLengthInterval(std::int64_t points, std::int64_t signals);

// The p-quantile of the standard normal and of chi-square with `df` degrees of freedom.
// REQUIRES: 0 < p < 1, df > 0.
double NormalQuantile(double p);
double ChiSquareQuantile(double p, std::int64_t df);

}  // namespace ostrevin

#endif  // OSTREVIN_ANALYSIS_INTERVAL_ESTIMATES_H_
