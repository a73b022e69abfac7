#ifndef OSTREVIN_CHART_CHART_APPEND_H_
#define OSTREVIN_CHART_CHART_APPEND_H_

// New places for a chart that is already kept in a chart file: rows measured after the chart was
// built, plotted against its fixed control lines.

#include <string>
#include <string_view>

#include "chart/chart_from_data.h"
#include "chart/chart_members.h"
#include "chart/csv_reader.h"
#include "chartfile/chart_access.h"
#include "values/error.h"

namespace ostrevin {

// The members of `chart` that change when the rows of `table` are appended as new places plotted
// against the lines of its last split: the first rows after a split with limits of its own start
// an extras split (NewXV -1), later ones extend it. Values, flags and moving ranges, labels (from
// the label column, else numbered on), every place's lines, TNVal/NSam, Split and Splitp; the place
// the next diagnosis starts at is left as it is. Takes the kinds `ostrevin chart` builds (CType
// -1, -3 and -4). Fails with Error::InvalidInput: for a bad value, naming `table_name`, the row
// and the column; else naming `chart_name` and saying why the chart cannot take the rows.
// `columns` chooses the label and value columns as for BuildChart (its kind is the chart's).
Result<ChartMembers> AppendRows(const ChartAccess& chart, std::string_view chart_name,
                                const CsvTable& table, std::string_view table_name,
                                const ChartOptions& columns);

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_CHART_APPEND_H_
