#include "engine/geometry.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

#include "addon/cls_data.h"
#include "addon/members.h"
#include "values/error.h"

namespace ostrevin {
namespace {

constexpr std::int32_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kInt16Max = std::numeric_limits<std::int16_t>::max();

// An index of `id` computed in 32 bits (2k + g, k - 1, split + 1). One that does not fit the
// 16-bit accessors lies outside every array, so it is error 9 rather than a wrapped-around index.
Result<std::int16_t> Index16(MemberId id, std::int32_t index) {
  if (index < kInt16Min || index > kInt16Max) {
    const std::int32_t indexes[] = {index};
    return Error::SubscriptOutOfRange(DescribeElement(id, indexes));
  }
  return static_cast<std::int16_t>(index);
}

// The entry of split `split` in the 1-based per-split arrays.
Result<std::int16_t> SplitEntry(MemberId id, std::int16_t split) {
  return Index16(id, std::int32_t{split} + 1);
}

using FlagAt = Result<bool> (clsData::*)(std::int16_t, std::int16_t) const;
using ValueAt = Result<float> (clsData::*)(std::int16_t, std::int16_t) const;

// Whether one per-place line keeps one value over the places first..last where it is visible.
Result<bool> LineIsLevel(const clsData& d, std::int16_t g, std::int32_t first, std::int32_t last,
                         FlagAt visible, ValueAt value) {
  std::optional<float> reference;
  // first and last both come from 16-bit entries of Split, so every place in between fits.
  for (std::int32_t p = first; p <= last; ++p) {
    const auto place = static_cast<std::int16_t>(p);
    OSTREVIN_ASSIGN_OR_RETURN(const bool shown, (d.*visible)(place, g));
    if (!shown) continue;
    OSTREVIN_ASSIGN_OR_RETURN(const float v, (d.*value)(place, g));
    if (!reference) {
      reference = v;
    } else if (v != *reference) {
      return false;
    }
  }
  return true;
}

// The elements of a member at the places first..last of graph `g` (of the place alone when `g`
// is negative), in its typed storage: element k of the view is that of place first + k.
template <class T>
class StoredColumn {
 public:
  const T& operator[](std::size_t k) const { return elements_[k * stride_]; }
  // The same where the stride is known to be kStride (0: not known).
  template <std::size_t kStride>
  const T& At(std::size_t k) const {
    return elements_[k * (kStride != 0 ? kStride : stride_)];
  }
  std::size_t stride() const { return stride_; }

  // Whether elements 0..count-1 all hold the bits of element 0; a stride of one or two graphs
  // known to the compiler, so that the loop is vectorised.
  bool AllAlike(std::size_t count) const {
    if (stride_ == 2) return AllAlike<2>(count);
    if (stride_ == 1) return AllAlike<1>(count);
    return AllAlike<0>(count);
  }

  // Nullopt unless the member's array holds T and covers every one of those places.
  static std::optional<StoredColumn> Of(const clsData& d, MemberId id, std::int32_t first,
                                        std::int32_t last, std::int32_t g) {
    const VArray& array = d.Array(id);
    const std::span<const T> stored = array.Elements<T>();
    const std::int64_t a = g < 0 ? array.Flat(first) : array.Flat(first, g);
    const std::int64_t b = g < 0 ? array.Flat(last) : array.Flat(last, g);
    if (stored.empty() || a < 0 || b < 0) return std::nullopt;
    const std::size_t stride = g < 0 ? 1 : static_cast<std::size_t>(array.bounds(1).count());
    return StoredColumn(stored.subspan(static_cast<std::size_t>(a)), stride);
  }

 private:
  StoredColumn(std::span<const T> elements, std::size_t stride)
      : elements_(elements), stride_(stride) {}

  template <std::size_t kStride>  // 0: stride_
  bool AllAlike(std::size_t count) const {
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) == 4);
    const std::size_t stride = kStride != 0 ? kStride : stride_;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(elements_.data());
    auto bits = [&](std::size_t k) {
      std::uint32_t b;
      std::memcpy(&b, bytes + k * stride * sizeof(T), sizeof b);
      return b;
    };
    const std::uint32_t first = bits(0);
    std::uint32_t other = 0;
    for (std::size_t k = 1; k < count; ++k) other |= bits(k) ^ first;
    return other == 0;
  }

  std::span<const T> elements_;
  std::size_t stride_;
};

// LineIsLevel straight from typed storage; nullopt unless both arrays hold their own type and
// cover the places (then the accessors read them one by one, with the container's errors).
std::optional<bool> StoredLineIsLevel(const clsData& d, std::int16_t g, std::int32_t first,
                                      std::int32_t last, MemberId visible_id, MemberId value_id) {
  if (first > last) return true;
  const auto shown = StoredColumn<unsigned char>::Of(d, visible_id, first, last, g);
  const auto values = StoredColumn<float>::Of(d, value_id, first, last, g);
  if (!shown || !values) return std::nullopt;
  const auto count = static_cast<std::size_t>(last - first) + 1;
  // Most lines hold one value at every place, shown or not: then they are level without a look
  // at where they are shown (a NaN is never level, and takes the way below).
  if (values->AllAlike(count) && !std::isnan((*values)[0])) return true;
  std::size_t k = 0;
  while (k < count && (*shown)[k] == 0) ++k;
  if (k == count) return true;
  const float reference = (*values)[k];
  // Without a branch on each place: a level line, the usual case, is walked to its end anyway.
  bool differs = false;
  for (++k; k < count; ++k) {
    const bool visible = (*shown)[k] != 0, other = (*values)[k] != reference;
    differs |= visible & other;
  }
  return !differs;
}

Result<bool> LineIsLevel(const clsData& d, std::int16_t g, std::int32_t first, std::int32_t last,
                         MemberId visible_id, FlagAt visible, MemberId value_id, ValueAt value) {
  if (std::optional<bool> level = StoredLineIsLevel(d, g, first, last, visible_id, value_id))
    return *level;
  return LineIsLevel(d, g, first, last, visible, value);
}

// The UCL of graph 0 that marks a boundary (100 %, the sample size, a proportion of 1) rather
// than three SDs above the central line; other chart types have none.
std::optional<float> UclCeiling(const clsData& d) {
  const std::int16_t type = d.CType();
  if (d.Percent() && type == -1) return 100.0f;
  if (type >= 1) return static_cast<float>(type);
  if (type == -4) return 1.0f;
  return std::nullopt;
}

// An SD that is infinite or undefined is the host's overflow error, not an SD.
Error SDOverflow(std::int16_t place) {
  return Error::Overflow("SD at place " + std::to_string(place));
}

struct Cluster {
  std::int32_t count = 0;  // true flags in it
  std::int32_t end = 0;    // its last true flag
};

// Grows a cluster from the true flag at `first` until a stretch of false flags reaches gapLimit.
// A shorter stretch, also one that runs off the end, is stepped over in one go: stepping through
// it flag by flag would only meet shorter stretches still, and no true flag.
Cluster GrowCluster(const std::vector<bool>& flags, std::int32_t first, std::int32_t gapLimit) {
  const auto size = static_cast<std::int32_t>(flags.size());
  auto at = [&flags](std::int32_t i) { return flags[static_cast<std::size_t>(i)]; };
  Cluster cluster{0, first};
  std::int32_t j = first;
  while (j < size) {
    if (at(j)) {
      ++cluster.count;
      cluster.end = j++;
      continue;
    }
    std::int32_t gapEnd = j;
    while (gapEnd < size && !at(gapEnd)) ++gapEnd;
    if (gapEnd - j >= gapLimit) break;
    j = gapEnd;
  }
  return cluster;
}

}  // namespace

Result<PlottedPoint> PlottedValue(const clsData& d, std::int16_t g, std::int16_t place) {
  // The value and its flag, read in this order.
  auto point = [](const Result<float>& value, auto flag) -> Result<PlottedPoint> {
    if (!value) return value.error();
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t f, flag());
    return PlottedPoint{*value, f};
  };
  const std::int32_t k = place;
  switch (d.CType()) {
    case -7:
      return point(d.GV(place), [&] { return d.XDataI(place); });
    case -5:
    case -4:
      return point(d.GV(place), [&] { return d.PGVI(place); });
    case -3: {
      OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t at, Index16(MemberId::RData, 2 * k + g));
      return point(d.RData(at), [&] { return d.RDataI(place); });
    }
    case -1: {
      if (g == 0) return point(d.XData(place), [&] { return d.XDataI(place); });
      // A moving range needs the place before it, so the first place has none.
      if (place == 0) return PlottedPoint{0.0f, 0};
      OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t value_at, Index16(MemberId::RData, k - 1));
      const Result<float> value = d.RData(value_at);
      if (!value) return value.error();
      OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t flag_at, Index16(MemberId::RDataI, k - 1));
      return point(value, [&] { return d.RDataI(flag_at); });
    }
    default:
      return point(d.XData(place), [&] { return d.XDataI(place); });
  }
}

std::optional<std::vector<PlottedPoint>> PlottedValuesFromStorage(const clsData& d, std::int16_t g,
                                                                  std::int16_t last) {
  if (last < 0) return std::vector<PlottedPoint>();
  // The value and flag arrays of the chart type, and where place p is in them: at p * step +
  // offset, from place `from` on (a measurements chart's moving ranges start at place 1).
  MemberId values = MemberId::XData, flags = MemberId::XDataI;
  std::int32_t step = 1, offset = 0, from = 0;
  switch (d.CType()) {
    case -7:
      values = MemberId::GV;
      break;
    case -5:
    case -4:
      values = MemberId::GV;
      flags = MemberId::PGVI;
      break;
    case -3:
      values = MemberId::RData;
      flags = MemberId::RDataI;
      step = 2;
      offset = g;
      break;
    case -1:
      if (g == 0) break;
      values = MemberId::RData;
      flags = MemberId::RDataI;
      offset = -1;
      from = 1;
      break;
    default:
      break;
  }
  const std::span<const float> value = d.Array(values).Elements<float>();
  const std::span<const std::int16_t> flag = d.Array(flags).Elements<std::int16_t>();
  const std::int32_t first_value = from * step + offset, last_value = last * step + offset;
  // Beyond 16 bits an index is error 9, which the one-by-one way raises.
  if (value.empty() || flag.empty() || last_value > kInt16Max || last < from) return std::nullopt;
  const std::int64_t value_at = d.Array(values).Flat(first_value);
  const std::int64_t flag_at = d.Array(flags).Flat(from + (step == 1 ? offset : 0));
  if (value_at < 0 || flag_at < 0 || d.Array(values).Flat(last_value) < 0 ||
      d.Array(flags).Flat(last + (step == 1 ? offset : 0)) < 0)
    return std::nullopt;
  std::vector<PlottedPoint> points(static_cast<std::size_t>(last) + 1);
  for (std::int32_t p = from; p <= last; ++p) {
    const auto k = static_cast<std::size_t>(p - from);
    points[static_cast<std::size_t>(p)] = {
        value[static_cast<std::size_t>(value_at) + k * static_cast<std::size_t>(step)],
        flag[static_cast<std::size_t>(flag_at) + k]};
  }
  return points;
}

Result<PointRecord> MakePointRecord(const clsData& d, std::int16_t Gtype, std::int16_t place) {
  PointRecord r;
  OSTREVIN_ASSIGN_OR_RETURN(r.Value, d.PGV(place));
  OSTREVIN_ASSIGN_OR_RETURN(r.ValueFlag, d.PGVI(place));
  r.Place = place;
  OSTREVIN_ASSIGN_OR_RETURN(r.Ucl, d.PointStatsUcl(place, Gtype));
  OSTREVIN_ASSIGN_OR_RETURN(r.Lcl, d.PointStatsLcl(place, Gtype));
  OSTREVIN_ASSIGN_OR_RETURN(r.Centre, d.PointStatsCentre(place, Gtype));
  OSTREVIN_ASSIGN_OR_RETURN(r.blnUclVisible, d.PointStatsblnUclVisible(place, Gtype));
  OSTREVIN_ASSIGN_OR_RETURN(r.blnLclVisible, d.PointStatsblnLclVisible(place, Gtype));
  OSTREVIN_ASSIGN_OR_RETURN(r.blnCentreVisible, d.PointStatsblnCentreVisible(place, Gtype));
  return r;
}

std::optional<std::vector<PointRecord>> PointRecordsFromStorage(const clsData& d,
                                                                std::int16_t Gtype,
                                                                std::int32_t first,
                                                                std::int32_t last) {
  std::vector<PointRecord> records;
  if (first > last) return records;
  const auto value = StoredColumn<float>::Of(d, MemberId::PGV, first, last, -1);
  const auto flag = StoredColumn<std::int16_t>::Of(d, MemberId::PGVI, first, last, -1);
  auto line = [&](MemberId id) { return StoredColumn<float>::Of(d, id, first, last, Gtype); };
  auto shown = [&](MemberId id) {
    return StoredColumn<unsigned char>::Of(d, id, first, last, Gtype);
  };
  const auto ucl = line(MemberId::PointStatsUcl), lcl = line(MemberId::PointStatsLcl),
             centre = line(MemberId::PointStatsCentre);
  const auto ucl_on = shown(MemberId::PointStatsblnUclVisible),
             lcl_on = shown(MemberId::PointStatsblnLclVisible),
             centre_on = shown(MemberId::PointStatsblnCentreVisible);
  if (!value || !flag || !ucl || !lcl || !centre || !ucl_on || !lcl_on || !centre_on)
    return std::nullopt;
  // Each record is written where it stays: one built aside and copied over is loaded whole
  // right after its fields are stored one by one, which the processor cannot forward.
  records.resize(static_cast<std::size_t>(last - first + 1));
  // kLines: the stride of the lines' storage, when all six have the one of two graphs.
  auto fill = [&]<std::size_t kLines>() {
    std::size_t kept = 0;
    for (std::int32_t p = first; p <= last; ++p) {
      const auto k = static_cast<std::size_t>(p - first);
      PointRecord& r = records[kept];
      r.Value = value->At<1>(k);
      r.ValueFlag = flag->At<1>(k);
      r.Place = static_cast<std::int16_t>(p);
      r.Ucl = ucl->At<kLines>(k);
      r.Lcl = lcl->At<kLines>(k);
      r.Centre = centre->At<kLines>(k);
      r.blnUclVisible = ucl_on->At<kLines>(k) != 0;
      r.blnLclVisible = lcl_on->At<kLines>(k) != 0;
      r.blnCentreVisible = centre_on->At<kLines>(k) != 0;
      kept += r.ValueFlag != 0;
    }
    return kept;
  };
  const bool two_graphs = ucl->stride() == 2 && lcl->stride() == 2 && centre->stride() == 2 &&
                          ucl_on->stride() == 2 && lcl_on->stride() == 2 &&
                          centre_on->stride() == 2;
  records.resize(two_graphs ? fill.template operator()<2>() : fill.template operator()<0>());
  return records;
}

Result<float> SegmentCentre(const clsData& d, std::int16_t Gtype, std::int16_t split) {
  if (d.CType() == -4 || Gtype == 1) {
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t entry, SplitEntry(MemberId::Mr, split));
    return d.Mr(entry);
  }
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t entry, SplitEntry(MemberId::Mx, split));
  return d.Mx(entry);
}

Result<bool> LimitsAreHorizontal(const clsData& d, std::int16_t Gtype, std::int16_t split) {
  if (Gtype == 1) return true;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t trend_entry, SplitEntry(MemberId::blnTrend, split));
  OSTREVIN_ASSIGN_OR_RETURN(const bool trend, d.blnTrend(trend_entry));
  if (trend) return false;
  if ((d.CType() == -4 || d.CType() == -5) && d.blnWavypuChart()) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const std::int32_t first, d.Split(split));
  OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t end_entry, SplitEntry(MemberId::Split, split));
  OSTREVIN_ASSIGN_OR_RETURN(const std::int32_t end, d.Split(end_entry));
  const std::int32_t last = end - 1;
  OSTREVIN_ASSIGN_OR_RETURN(const bool ucl_level,
                            LineIsLevel(d, Gtype, first, last, MemberId::PointStatsblnUclVisible,
                                        &clsData::PointStatsblnUclVisible, MemberId::PointStatsUcl,
                                        &clsData::PointStatsUcl));
  if (!ucl_level) return false;
  OSTREVIN_ASSIGN_OR_RETURN(const bool lcl_level,
                            LineIsLevel(d, Gtype, first, last, MemberId::PointStatsblnLclVisible,
                                        &clsData::PointStatsblnLclVisible, MemberId::PointStatsLcl,
                                        &clsData::PointStatsLcl));
  if (!lcl_level) return false;
  return LineIsLevel(d, Gtype, first, last, MemberId::PointStatsblnCentreVisible,
                     &clsData::PointStatsblnCentreVisible, MemberId::PointStatsCentre,
                     &clsData::PointStatsCentre);
}

// One of the split's remembered answers: worked out on the first ask, an error included.
template <class Work>
const Result<bool>& Remembered(std::optional<Result<bool>>& memo, Work work) {
  if (!memo) memo = work();
  return *memo;
}

const Result<bool>& HorizontalLimits::operator()() const {
  return Remembered(value_, [&] { return LimitsAreHorizontal(*data_, 0, split_); });
}

const Result<bool>& HorizontalLimits::UclForced100() const {
  return Remembered(ucl_forced_, [&]() -> Result<bool> {
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t entry,
                              SplitEntry(MemberId::blnUCLForced100, split_));
    return data_->blnUCLForced100(entry);
  });
}

const Result<bool>& HorizontalLimits::LclForcedZero() const {
  return Remembered(lcl_forced_, [&]() -> Result<bool> {
    OSTREVIN_ASSIGN_OR_RETURN(const std::int16_t entry,
                              SplitEntry(MemberId::blnLCLForcedZero, split_));
    return data_->blnLCLForcedZero(entry);
  });
}

Result<float> GetSD(const clsData& d, std::int16_t Gtype, std::int16_t split,
                    const PointRecord& r) {
  return GetSD(d, Gtype, r, HorizontalLimits(d, split));
}

namespace {

// How a split's records take their SD: whether its forced limits drop the upper or the lower
// half (graph 0 of a split with level limits), and the UCL ceiling that drops the upper half of
// a record on it (graph 0 only).
struct SDRule {
  bool drop_upper = false;
  bool drop_lower = false;
  std::optional<float> ceiling;
};

// Whether record r shows the lines an SD is taken from: the central line and a limit.
bool ShowsSDLines(const PointRecord& r) {
  return r.blnCentreVisible && (r.blnUclVisible || r.blnLclVisible);
}

// The SD of record r under `rule`: a third of the distance from the central line to each limit
// in use, the larger; -1 when no limit is in use; NaN when a distance is not finite.
float RuleSD(const PointRecord& r, const SDRule& rule) {
  if (!ShowsSDLines(r)) return -1.0f;
  const bool useUpper =
      r.blnUclVisible && !rule.drop_upper && !(rule.ceiling && r.Ucl == *rule.ceiling);
  const bool useLower = r.blnLclVisible && r.Lcl != 0.0f && !rule.drop_lower;
  if (!useUpper && !useLower) return -1.0f;
  const float upper = useUpper ? (r.Ucl - r.Centre) / 3.0f : 0.0f;
  if (!std::isfinite(upper)) return std::nanf("");
  if (useLower) {
    const float lower = (r.Centre - r.Lcl) / 3.0f;
    if (!std::isfinite(lower)) return std::nanf("");
    if (lower > upper) return lower;
  }
  return upper;
}

// What GetSD asks of a split, its forced limits and whether its limits are level: each asked of
// `limits` when a record first needs it, then kept here, so that a pass over the split's records
// makes no call for them per record.
class SplitAnswers {
 public:
  explicit SplitAnswers(const HorizontalLimits& limits) : limits_(limits) {}
  Result<bool> UclForced100() {
    return Kept(
        forced100_, [&]() -> auto& { return limits_.UclForced100(); });
  }
  Result<bool> LclForcedZero() {
    return Kept(
        forcedZero_, [&]() -> auto& { return limits_.LclForcedZero(); });
  }
  Result<bool> Horizontal() {
    return Kept(
        horizontal_, [&]() -> auto& { return limits_(); });
  }
  // The rule of graph 0 once every answer a record may ask is kept, else nullopt.
  std::optional<SDRule> KnownRule(std::optional<float> ceiling) const {
    if (!forced100_ || !forcedZero_) return std::nullopt;
    if ((*forced100_ || *forcedZero_) && !horizontal_) return std::nullopt;
    const bool level = horizontal_.value_or(false);
    return SDRule{*forced100_ && level, *forcedZero_ && level, ceiling};
  }

 private:
  template <class Ask>
  static Result<bool> Kept(std::optional<bool>& kept, Ask ask) {
    if (!kept) {
      const Result<bool>& answer = ask();
      if (!answer) return answer.error();
      kept = *answer;
    }
    return *kept;
  }

  const HorizontalLimits& limits_;
  std::optional<bool> forced100_, forcedZero_, horizontal_;
};

// GetSD of record r, with the chart's UCL ceiling (UclCeiling) and the split's answers.
Result<float> SDOf(const PointRecord& r, std::int16_t Gtype, std::optional<float> ceiling,
                   SplitAnswers& split) {
  if (!ShowsSDLines(r)) return -1.0f;
  // The split's horizontality is asked only when a forced limit could drop a half that is still
  // in use.
  SDRule rule;
  if (Gtype == 0) {
    rule.ceiling = ceiling;
    OSTREVIN_ASSIGN_OR_RETURN(const bool forced100, split.UclForced100());
    if (r.blnUclVisible && forced100) {
      OSTREVIN_ASSIGN_OR_RETURN(rule.drop_upper, split.Horizontal());
    }
    OSTREVIN_ASSIGN_OR_RETURN(const bool forcedZero, split.LclForcedZero());
    if (r.blnLclVisible && r.Lcl != 0.0f && forcedZero) {
      OSTREVIN_ASSIGN_OR_RETURN(rule.drop_lower, split.Horizontal());
    }
  }
  const float sd = RuleSD(r, rule);
  if (std::isnan(sd)) return SDOverflow(r.Place);
  return sd;
}

}  // namespace

Result<float> GetSD(const clsData& d, std::int16_t Gtype, const PointRecord& r,
                    const HorizontalLimits& isHorizontal) {
  SplitAnswers split(isHorizontal);
  return SDOf(r, Gtype, UclCeiling(d), split);
}

Status FillSDs(const clsData& d, std::int16_t Gtype, std::span<const PointRecord> records,
               const HorizontalLimits& isHorizontal, std::span<float> sd) {
  SplitAnswers split(isHorizontal);
  const std::optional<float> ceiling = UclCeiling(d);
  // Records are worked out one by one until the split's answers are all kept, then by the rule
  // they give.
  std::optional<SDRule> rule;
  if (Gtype != 0) rule = SDRule{};
  for (std::size_t k = 0; k < records.size(); ++k) {
    if (records[k].ValueFlag == 0 || !std::isnan(sd[k])) continue;
    if (rule) {
      sd[k] = RuleSD(records[k], *rule);
      if (std::isnan(sd[k])) return SDOverflow(records[k].Place);
      continue;
    }
    OSTREVIN_ASSIGN_OR_RETURN(sd[k], SDOf(records[k], Gtype, ceiling, split));
    rule = split.KnownRule(ceiling);
  }
  return Ok{};
}

Run FindRun(std::int16_t& pos, const std::vector<bool>& flags, std::int16_t minCount,
            std::int16_t window) {
  if (pos < 0) throw Error::SubscriptOutOfRange("flags(" + std::to_string(pos) + ")");
  if (flags.size() > static_cast<std::size_t>(kInt16Max)) {
    throw Error::Overflow("FindRun over " + std::to_string(flags.size()) + " flags");
  }
  const auto last = static_cast<std::int32_t>(flags.size()) - 1;
  // In 32 bits: window - minCount + 1 overflows 16 bits for extreme arguments.
  const std::int32_t gapLimit = std::int32_t{window} - minCount + 1;
  Run run;
  for (std::int32_t p = pos; p <= last; ++p) {
    if (!flags[static_cast<std::size_t>(p)]) continue;
    const Cluster cluster = GrowCluster(flags, p, gapLimit);
    run.end = static_cast<std::int16_t>(cluster.end);
    if (cluster.count >= minCount) {
      run.start = static_cast<std::int16_t>(p);
      pos = static_cast<std::int16_t>(cluster.end + 1);
      return run;
    }
  }
  if (pos <= last) pos = static_cast<std::int16_t>(last + 1);
  return run;
}

}  // namespace ostrevin
