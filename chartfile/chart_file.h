#ifndef OSTREVIN_CHARTFILE_CHART_FILE_H_
#define OSTREVIN_CHARTFILE_CHART_FILE_H_

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "chartfile/chart_access.h"
#include "chartfile/file_io.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// Applies the members of chart-file text to `chart` in file order, as the host's puts; `name`
// names the text in messages (the file's path). On failure returns the first error, which names
// the file, the line, the key, the member and index and carries the container's error number.
// Text that is not one valid JSON object changes nothing; otherwise the members applied before
// the failing one stay applied.
//
// Most files take a fast way (staged_chart.h); what that way declines, every file with an error
// among them, is read by ApplyChartTextInDetail, which gives the same result.
Status ApplyChartText(std::string_view text, std::string_view name, ChartAccess& chart);
Status ApplyChartTextInDetail(std::string_view text, std::string_view name, ChartAccess& chart);

// Applies the chart file at `path` to `chart`, a fresh container.
Status ReadChartFile(const std::filesystem::path& path, ChartAccess& chart);

// The container as chart-file text that reads back into a new container as an equal one; members
// still at their initial value are left out. Fails for values a chart file cannot hold (a Single
// that is not finite, a text that is not UTF-8) and when the container cannot be read.
Result<std::string> ChartFileText(const ChartAccess& chart);

// A member's name, as the chart file spells it, and its value.
struct NamedValue {
  std::string_view name;
  const Variant* value;
};

// The chart-file text of `members` in their order, laid out for reading: each array written
// whole as a plain list, on one line when it fits in 100 columns, else wrapped over indented
// lines filled up to 100. Fails as ChartFileText does, naming the member and index.
Result<std::string> WrappedChartFileText(std::span<const NamedValue> members);
// The same text handed to `sink` in stretches of a megabyte or so as it is made, rather than
// kept whole; stops at the first error, the writer's or the sink's.
Status WriteWrappedChartFileText(std::span<const NamedValue> members, const TextSink& sink);

// Writes ChartFileText(chart) to `path` through a temporary file in the same folder, flushed to
// disk and renamed over `path`: the file holds the old chart or the new one, never a part.
Status WriteChartFileAtomically(const std::filesystem::path& path, const ChartAccess& chart);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_CHART_FILE_H_
