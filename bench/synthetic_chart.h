#ifndef OSTREVIN_BENCH_SYNTHETIC_CHART_H_
#define OSTREVIN_BENCH_SYNTHETIC_CHART_H_

#include <cstdint>

namespace ostrevin {

class clsData;

// Fills `data` with a measurements chart (two graphs) of `places` places cut into `splits`
// equal splits, with values that wander around the central line so that every test has work.
void FillSyntheticChart(clsData& data, std::int32_t places, std::int16_t splits);

}  // namespace ostrevin

#endif  // OSTREVIN_BENCH_SYNTHETIC_CHART_H_
