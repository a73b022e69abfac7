#ifndef OSTREVIN_TESTS_CHART_LOADED_CHART_H_
#define OSTREVIN_TESTS_CHART_LOADED_CHART_H_

// A chart built from CSV text and put into a container, as the command's chart file would be.

#include <gtest/gtest.h>

#include <string_view>

#include "addon/cls_data.h"
#include "chart/chart_from_data.h"
#include "chart/put_chart.h"
#include "platform/recording_platform.h"

namespace ostrevin {

struct LoadedChart {
  LoadedChart(std::string_view csv, const ChartOptions& options) {
    const CsvTable table = ReadCsv(csv).ValueOrThrow();
    members = BuildChart(table, options).ValueOrThrow();
    PutChart(members, data).ValueOrThrow();
  }
  LoadedChart(const LoadedChart&) = delete;
  LoadedChart& operator=(const LoadedChart&) = delete;

  ChartMembers members;
  RecordingPlatform platform;
  clsData data{platform};
};

inline ChartOptions Options(ChartKind kind, std::string label = "",
                            std::vector<std::int32_t> splits = {}) {
  ChartOptions options;
  options.kind = kind;
  options.label_column = std::move(label);
  options.split_place_numbers = std::move(splits);
  return options;
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_CHART_LOADED_CHART_H_
