#ifndef OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_
#define OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_

#include <cstdint>
#include <filesystem>
#include <string>

#include "values/error.h"

namespace ostrevin {

// Writes the chart of FillSyntheticChart (two graphs, `places` places, `splits` splits) to `path`
// as a chart file.
Status WriteSyntheticChartFile(const std::filesystem::path& path, std::int32_t places,
                               std::int16_t splits);

// A settings file that switches every test on, every number at its default.
std::string AllTestsSettings();

}  // namespace ostrevin

#endif  // OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_
