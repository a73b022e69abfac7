#include "engine/zone_tests.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <span>
#include <string_view>

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

// A band on one side of the central line between two multiples of the SD; both bounds belong
// to it.
struct Zone {
  std::int8_t near_sd;  // the bound nearer the central line, in SDs
  std::int8_t far_sd;
  std::int8_t side;  // +1 above the central line, -1 below
};

constexpr Zone kUpperOuter{2, 3, +1};
constexpr Zone kLowerOuter{2, 3, -1};
constexpr Zone kUpperWide{1, 3, +1};
constexpr Zone kLowerWide{1, 3, -1};

// The zones a record lies in, one bit each.
enum ZoneBit : std::uint8_t {
  kInUpperOuter = 1,
  kInLowerOuter = 2,
  kInUpperWide = 4,
  kInLowerWide = 8
};

constexpr std::string_view k2Of3Rule =
    "The '2 out of 3 consecutive values between 2 and 3 SD' rule ";
constexpr std::string_view k4Of5Rule =
    "The '4 out of 5 consecutive values between 1 and 3 SD' rule ";
constexpr std::string_view kAbove = "ABOVE the central line detected the following:";
constexpr std::string_view kBelow = "BELOW the central line detected the following:";

// K out of W consecutive points in a zone. The findings heading is heading_rule + heading_side.
struct KOutOfWRule {
  std::int16_t k;
  std::int16_t w;
  std::int16_t look_back;  // how many records before the run start a pattern may begin
  Zone zone;
  ZoneBit in_zone;
  std::string_view heading_rule;
  std::string_view heading_side;
  std::string_view explanation;
};

// The most zone records a rule asks for in a row.
constexpr std::int16_t kMostInARow = 4;

// clang-format off
constexpr KOutOfWRule k2Of3Above{2, 3, 2, kUpperOuter, kInUpperOuter, k2Of3Rule, kAbove,
    "2 out of 3 consecutive points are between 2SD and 3SD ABOVE the central line."};
constexpr KOutOfWRule k2Of3Below{2, 3, 2, kLowerOuter, kInLowerOuter, k2Of3Rule, kBelow,
    "2 out of 3 consecutive points are between 2SD and 3SD BELOW the central line."};
constexpr KOutOfWRule k4Of5Above{4, 5, 4, kUpperWide, kInUpperWide, k4Of5Rule, kAbove,
    "4 out of 5 consecutive points are between 1SD and 3SD ABOVE the central line."};
constexpr KOutOfWRule k4Of5Below{4, 5, 4, kLowerWide, kInLowerWide, k4Of5Rule, kBelow,
    "4 out of 5 consecutive points are between 1SD and 3SD BELOW the central line."};
// clang-format on
static_assert(k2Of3Above.k <= kMostInARow && k2Of3Below.k <= kMostInARow &&
              k4Of5Above.k <= kMostInARow && k4Of5Below.k <= kMostInARow);

constexpr std::string_view kSwitchExplanation =
    "An Extreme Switch, i.e. the first point is between 2SD and 3SD on one side of the central "
    "line and \r\n"
    "          the second point is between 2SD and 3SD on the other side of the central line.";
constexpr std::string_view kSwitchHeading =
    "EXTREME SWITCHING has been detected for the following:";

// Charts and splits summarised by the central line alone, or by no line, have no SD to zone by;
// the moving-range graph of a measurements chart is not zoned either.
Result<bool> ZonesApply(const TestArgs& args) {
  OSTREVIN_ASSIGN_OR_RETURN(const bool has_limits, SplitHasLimits(args));
  return has_limits && !(args.data.CType() == -1 && args.graph == 1);
}

// The records a test looks at: from the run start less the look-back, but never before the
// split, to lastRecord. Empty (first > last) when the run holds no record.
struct ScanRange {
  std::int16_t first = 0;
  std::int16_t last = -1;
};

ScanRange Scan(const TestArgs& args, std::int16_t look_back) {
  if (args.runFirstRecord < 0) return {};
  std::int32_t first = std::int32_t{args.runFirstRecord} - look_back;
  first = std::max({first, std::int32_t{0}, std::int32_t{args.splitFirstRecord}});
  // lastRecord never points past the array, whatever the caller hands in.
  const auto size = static_cast<std::int32_t>(std::min<std::size_t>(args.records.size(), 32768));
  const std::int32_t last = std::min<std::int32_t>(args.lastRecord, size - 1);
  return {static_cast<std::int16_t>(first), static_cast<std::int16_t>(last)};
}

float Multiple(float s, std::int8_t m) {
  if (m == 2) return s + s;
  if (m == 3) return s * 3.0f;
  return s;
}

bool InZone(const PointRecord& r, float s, Zone zone) {
  const float near = Multiple(s, zone.near_sd);
  const float far = Multiple(s, zone.far_sd);
  const float low = zone.side > 0 ? r.Centre + near : r.Centre - far;
  const float high = zone.side > 0 ? r.Centre + far : r.Centre - near;
  return low <= r.Value && r.Value <= high;
}

// The zones a record with SD `s` lies in: none unless it holds a value and has an SD.
inline std::uint8_t ZonesAt(const PointRecord& r, float s) {
  if (r.ValueFlag == 0 || !(s >= 0.0f)) return 0;
  return static_cast<std::uint8_t>((InZone(r, s, kUpperOuter) ? kInUpperOuter : 0) |
                                   (InZone(r, s, kLowerOuter) ? kInLowerOuter : 0) |
                                   (InZone(r, s, kUpperWide) ? kInUpperWide : 0) |
                                   (InZone(r, s, kLowerWide) ? kInLowerWide : 0));
}

// The zones of the records of a range, in record order (element k - range.first): a view into
// the split's memo, where the four zone tests and the switch find them worked out once, else
// zones of their own.
class Zones {
 public:
  Zones() = default;
  Zones(Zones&&) = default;  // the codes stay where they are
  Zones(const Zones&) = delete;
  Zones& operator=(const Zones&) = delete;

  std::uint8_t operator[](std::int32_t k) const { return codes_[static_cast<std::size_t>(k)]; }
  // Bit i set: record k + i lies in `zone`, for the n (at most 8) records from k.
  std::uint32_t InZoneBits(std::int32_t k, std::int32_t n, ZoneBit zone) const {
    std::uint64_t eight = 0;
    if (n == 8) {
      std::memcpy(&eight, codes_.data() + k, sizeof eight);
    } else {
      std::memcpy(&eight, codes_.data() + k, static_cast<std::size_t>(n));
    }
    // The zone's bit of each code moved to the bottom of its byte, then the eight gathered into
    // the top byte by one multiplication.
    const std::uint64_t lows = (eight >> std::countr_zero(unsigned{zone})) & 0x0101010101010101u;
    return static_cast<std::uint32_t>((lows * 0x0102040810204080u) >> 56);
  }

  static Result<Zones> Of(const TestArgs& args, ScanRange range) {
    Zones zones;
    const auto count = static_cast<std::size_t>(std::max(range.last - range.first + 1, 0));
    if (count == 0) return zones;
    // The range's SDs first, then its zones from them.
    const auto first = static_cast<std::size_t>(range.first);
    std::vector<float> own_sds;
    OSTREVIN_ASSIGN_OR_RETURN(const std::span<const float> sd,
                              RecordSDs(args, first, count, own_sds));
    if (args.zone_memo == nullptr) {
      zones.own_.resize(count);
      for (std::size_t k = 0; k < count; ++k)
        zones.own_[k] = ZonesAt(args.records[first + k], sd[k]);
      zones.codes_ = zones.own_;
      return zones;
    }
    std::vector<std::uint8_t>& memo = args.zone_memo->values;
    OSTREVIN_RETURN_IF_ERROR(
        args.zone_memo->Cover(first, first + count, [&](std::size_t from, std::size_t to) {
          for (std::size_t k = from; k < to; ++k) memo[k] = ZonesAt(args.records[k], sd[k - first]);
          return Status(Ok{});
        }));
    zones.codes_ = std::span(memo).subspan(first, count);
    return zones;
  }

 private:
  std::vector<std::uint8_t> own_;
  std::span<const std::uint8_t> codes_;
};

// The marked records, in record order, each once.
using Marks = std::vector<std::int16_t>;

// One range line per cluster of marks, as FindRun(.., min_count, window) finds them over the
// marks' flags, for marks where every cluster holds min_count of them: a cluster ends where the
// next mark lies window - min_count + 1 or more unmarked records on.
std::vector<Finding> Clusters(const TestArgs& args, const Marks& marks, std::int16_t min_count,
                              std::int16_t window, std::int16_t direction) {
  std::vector<Finding> findings;
  const std::int32_t gap_limit = std::int32_t{window} - min_count + 1;
  for (std::size_t from = 0; from < marks.size();) {
    std::size_t to = from + 1;
    while (to < marks.size() && marks[to] - marks[to - 1] - 1 < gap_limit) ++to;
    findings.push_back(RecordsFinding(args.records, marks[from], marks[to - 1],
                                      static_cast<std::int16_t>(to - from), direction));
    from = to;
  }
  return findings;
}

// Marks every zone record of each window of W records that holds at least K of them; windows at
// the end are cut short at the last record. `zones` holds the zones of the records of `range`.
// A zone record lies in such a window exactly when it is one of K zone records in a row that lie
// within W records (the window from the first of them holds all K), so one pass keeps the last K
// zone records and marks them when they are that close. Every cluster of the marks so holds K.
Marks MarkWindows(const Zones& zones, ScanRange range, const KOutOfWRule& rule) {
  const std::int32_t k = rule.k;
  std::array<std::int16_t, kMostInARow> recent{};  // the last k zone records, the oldest at `slot`
  std::int32_t slot = 0;
  std::int32_t seen = 0;
  Marks marks;
  // Zone records are few: they are found eight records at a time, from the zones' bits.
  for (std::int32_t base = range.first; base <= range.last; base += 8) {
    const std::int32_t n = std::min(8, range.last - base + 1);
    for (std::uint32_t bits = zones.InZoneBits(base - range.first, n, rule.in_zone); bits != 0;
         bits &= bits - 1) {
      const auto j = static_cast<std::int16_t>(base + std::countr_zero(bits));
      recent[static_cast<std::size_t>(slot)] = j;
      slot = slot + 1 == k ? 0 : slot + 1;
      if (++seen < k || j - recent[static_cast<std::size_t>(slot)] >= rule.w) continue;
      // The k records from the oldest on, those not marked yet.
      for (std::int32_t i = 0; i < k; ++i) {
        const std::int16_t r = recent[static_cast<std::size_t>((slot + i) % k)];
        if (marks.empty() || r > marks.back()) marks.push_back(r);
      }
    }
  }
  return marks;
}

Result<TestResult> KOutOfW(const TestArgs& args, const KOutOfWRule& rule) {
  OSTREVIN_ASSIGN_OR_RETURN(const bool zones_apply, ZonesApply(args));
  if (!zones_apply) return TestResult{};
  TestResult result{std::string(rule.explanation), {}};
  const ScanRange range = Scan(args, rule.look_back);
  OSTREVIN_ASSIGN_OR_RETURN(const Zones zones, Zones::Of(args, range));
  const Marks marks = MarkWindows(zones, range, rule);
  if (marks.empty()) return result;
  FindingBlock block{std::string(rule.heading_rule) + std::string(rule.heading_side), {}};
  block.findings = Clusters(args, marks, rule.k, rule.w, rule.zone.side);
  result.blocks.push_back(std::move(block));
  return result;
}

// 1 in the upper outer zone (tried first), -1 in the lower one, else 0.
int OuterZoneCode(std::uint8_t zones) {
  if (zones & kInUpperOuter) return 1;
  return (zones & kInLowerOuter) ? -1 : 0;
}

}  // namespace

Result<TestResult> Diagnose2OutOf3Between23SigmaAboveMean(const TestArgs& args) {
  return KOutOfW(args, k2Of3Above);
}

Result<TestResult> Diagnose2OutOf3Between23SigmaBelowMean(const TestArgs& args) {
  return KOutOfW(args, k2Of3Below);
}

Result<TestResult> Diagnose4OutOf5Between13SigmaAboveMean(const TestArgs& args) {
  return KOutOfW(args, k4Of5Above);
}

Result<TestResult> Diagnose4OutOf5Between13SigmaBelowMean(const TestArgs& args) {
  return KOutOfW(args, k4Of5Below);
}

Result<TestResult> DiagnoseExtremeSwitch(const TestArgs& args) {
  const clsData& d = args.data;
  OSTREVIN_ASSIGN_OR_RETURN(const bool zones_apply, ZonesApply(args));
  if (!zones_apply) return TestResult{};
  if (d.CType() == -3 && args.graph == 1) {
    OSTREVIN_ASSIGN_OR_RETURN(const float lcl, d.Lcl(args.limitSplit + 1, 1));
    if (lcl == 0.0f) return TestResult{};
  }
  TestResult result{std::string(kSwitchExplanation), {}};
  const ScanRange range = Scan(args, 1);
  OSTREVIN_ASSIGN_OR_RETURN(const Zones zones, Zones::Of(args, range));
  // Each record of a switch is marked, its pair adjacent: every cluster holds two.
  Marks marks;
  for (std::int32_t k = range.first; k < range.last; ++k) {
    if (OuterZoneCode(zones[k - range.first]) * OuterZoneCode(zones[k + 1 - range.first]) != -1)
      continue;
    if (marks.empty() || marks.back() < k) marks.push_back(static_cast<std::int16_t>(k));
    marks.push_back(static_cast<std::int16_t>(k + 1));
  }
  if (marks.empty()) return result;
  result.blocks.push_back({std::string(kSwitchHeading), Clusters(args, marks, 2, 2, 0)});
  return result;
}

}  // namespace ostrevin
