#ifndef OSTREVIN_ENGINE_GEOMETRY_H_
#define OSTREVIN_ENGINE_GEOMETRY_H_

// How the engine sees a chart: places, graphs and splits, the value plotted at a place, one place
// described as a PointRecord, a split's central line, whether its limits are horizontal, the SD
// at a place, a point against its lines, and clusters in a row of flags.
//
// All arithmetic on chart values is 32-bit float; equality tests are exact. Places and counts are
// 16-bit. These functions only read the container; its errors (9 for an index outside an array)
// come back unchanged, as the Result.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "values/error.h"

namespace ostrevin {

class clsData;

// One kept place of one graph, with the place's own three lines and their visibility.
struct PointRecord {
  float Value = 0;
  std::int16_t ValueFlag = 0;  // non-zero: the place holds a value to diagnose
  std::int16_t Place = 0;
  float Ucl = 0;
  float Lcl = 0;
  float Centre = 0;
  bool blnUclVisible = false;
  bool blnLclVisible = false;
  bool blnCentreVisible = false;

  friend bool operator==(const PointRecord&, const PointRecord&) = default;
};

// Selects one of a record's lines.
enum ChartLine : std::int16_t { LineUCL = 0, LineCentre = 1, LineLCL = 2 };

struct PlottedPoint {
  float value = 0;
  std::int16_t flag = 0;
};

// The value plotted at `place` in graph `g` and its value flag, by chart type. An index derived
// from `place` that does not fit 16 bits is error 9 naming the array, as one outside it does.
Result<PlottedPoint> PlottedValue(const clsData& data, std::int16_t g, std::int16_t place);
// PlottedValue at every place from 0 to `last`, read straight from the typed storage; nullopt
// unless every array it reads stores its own type and holds those places (PlottedValue then
// reads them one by one, with the container's errors).
std::optional<std::vector<PlottedPoint>> PlottedValuesFromStorage(const clsData& data,
                                                                  std::int16_t g,
                                                                  std::int16_t last);

// The record of `place` in graph `Gtype`, from PGV/PGVI and the per-place lines.
Result<PointRecord> MakePointRecord(const clsData& data, std::int16_t Gtype, std::int16_t place);

// The records of the places first..last whose PGVI is not 0, in place order, read straight from
// the container's typed storage; nullopt unless every array involved holds its own type and
// covers those places (MakePointRecord then reads them one by one, with the container's errors).
// REQUIRES: 0 <= first, last < 32768.
std::optional<std::vector<PointRecord>> PointRecordsFromStorage(const clsData& data,
                                                                std::int16_t Gtype,
                                                                std::int32_t first,
                                                                std::int32_t last);

// The central line of `split` (a limit split): Mr for chart type -4 or graph 1, else Mx.
Result<float> SegmentCentre(const clsData& data, std::int16_t Gtype, std::int16_t split);

// False when the split carries a trend, has place-varying limits, or when a visible line takes two
// different values within the split; graph 1 is always horizontal.
Result<bool> LimitsAreHorizontal(const clsData& data, std::int16_t Gtype, std::int16_t split);

// LimitsAreHorizontal of graph 0 for one split, worked out when first asked and then remembered:
// GetSD may need it for every record of a split, and each answer walks the whole split. So are
// the split's forced limits (blnUCLForced100, blnLCLForcedZero), with the container's errors.
class HorizontalLimits {
 public:
  HorizontalLimits(const clsData& data, std::int16_t split) : data_(&data), split_(split) {}
  const Result<bool>& operator()() const;
  const Result<bool>& UclForced100() const;
  const Result<bool>& LclForcedZero() const;

 private:
  const clsData* data_;
  std::int16_t split_;
  mutable std::optional<Result<bool>> value_, ucl_forced_, lcl_forced_;
};

// The process SD at the record's place (a third of the distance from the central line to a
// usable limit), or -1 when none is available. A half that overflows a float is error 6.
Result<float> GetSD(const clsData& data, std::int16_t Gtype, std::int16_t split,
                    const PointRecord& record);
// The same for the split that `horizontal` was made for, with what it remembers of the split's
// limits across calls.
Result<float> GetSD(const clsData& data, std::int16_t Gtype, const PointRecord& record,
                    const HorizontalLimits& horizontal);
// GetSD of each record that holds a value and whose entry in `sd` is still NaN, in order, into
// `sd`; the first error stops it, as it would stop GetSD record by record.
// REQUIRES: sd.size() == records.size().
Status FillSDs(const clsData& data, std::int16_t Gtype, std::span<const PointRecord> records,
               const HorizontalLimits& horizontal, std::span<float> sd);

// Whether the record holds a value above (below) the chosen visible line, or on it when orEqual.
// Inline and without branches: every run test asks it of every record, and on a stable process
// the answer is a coin toss that a branch would mispredict half the time.
inline bool IsAboveLine(const PointRecord& r, ChartLine line, bool orEqual) {
  const float y = line == LineUCL ? r.Ucl : line == LineCentre ? r.Centre : r.Lcl;
  const bool shown = line == LineUCL      ? r.blnUclVisible
                     : line == LineCentre ? r.blnCentreVisible
                                          : r.blnLclVisible;
  return (r.ValueFlag != 0) & shown & ((r.Value > y) | (orEqual & (r.Value == y)));
}
inline bool IsBelowLine(const PointRecord& r, ChartLine line, bool orEqual) {
  const float y = line == LineUCL ? r.Ucl : line == LineCentre ? r.Centre : r.Lcl;
  const bool shown = line == LineUCL      ? r.blnUclVisible
                     : line == LineCentre ? r.blnCentreVisible
                                          : r.blnLclVisible;
  return (r.ValueFlag != 0) & shown & ((r.Value < y) | (orEqual & (r.Value == y)));
}

// The next cluster of at least minCount true flags from `pos` on, in which every stretch of false
// flags is shorter than window - minCount + 1. On success start >= 0 and pos moves past the
// cluster; with no further cluster start is -1, pos is past the end (or where it was when it
// already was) and end is not meaningful. Call again with the same pos to list every cluster.
// Any arguments terminate: minCount < 1 accepts every cluster (each holds a true flag), and
// window < minCount tolerates no false flag at all. REQUIRES: pos >= 0 (else error 9) and at most
// 32767 flags, so that every position fits 16 bits (else error 6).
struct Run {
  std::int16_t start = -1;
  std::int16_t end = -1;
};
Run FindRun(std::int16_t& pos, const std::vector<bool>& flags, std::int16_t minCount,
            std::int16_t window);

}  // namespace ostrevin

#endif  // OSTREVIN_ENGINE_GEOMETRY_H_
