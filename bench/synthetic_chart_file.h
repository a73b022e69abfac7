#ifndef OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_
#define OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_

#include <cstdint>
#include <filesystem>

#include "addon/error.h"

namespace ostrevin {

// Writes the chart of FillSyntheticChart (two graphs, `places` places, `splits` splits) to `path`
// as a chart file.
Status WriteSyntheticChartFile(const std::filesystem::path& path, std::int32_t places,
                               std::int16_t splits);

// A settings file that switches all thirteen tests on, every number at its default.
inline constexpr std::string_view kAllTestsSettings =
    "[CheckFor]\n"
    "DiagnoseForAllAboveUCL=-1\nDiagnoseForAllAboveUCLMR=-1\nDiagnoseForAllBelowLCL=-1\n"
    "DiagnoseForAllAboveBelowMean=-1\nDiagnoseForAllAboveBelowMeanMR=-1\n"
    "DiagnoseFor2OutOf3Between23SigmaAboveMean=-1\nDiagnoseFor2OutOf3Between23SigmaBelowMean=-1\n"
    "DiagnoseFor4OutOf5Between13SigmaAboveMean=-1\nDiagnoseFor4OutOf5Between13SigmaBelowMean=-1\n"
    "DiagnoseForAllWithin1SDMean=-1\nDiagnoseForAllIncreasingOrDecreasing=-1\n"
    "DiagnoseForExtremeSwitch=-1\nDiagnoseForZigZag=-1\n";

}  // namespace ostrevin

#endif  // OSTREVIN_BENCH_SYNTHETIC_CHART_FILE_H_
