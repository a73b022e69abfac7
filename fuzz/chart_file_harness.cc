#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "addon/cls_data.h"
#include "addon/members.h"
#include "chartfile/chart_file.h"
#include "chartfile/in_process_chart.h"
#include "chartfile/staged_chart.h"
#include "fuzz/harnesses.h"
#include "platform/recording_platform.h"

namespace ostrevin {
namespace {

// Whether two arrays hold the same elements bit for bit (a Single -0 is not 0): numbers are
// compared as bytes, in one call rather than element by element.
template <class T>
std::optional<bool> SameStored(const VArray& a, const VArray& b) {
  const std::span<const T> x = a.Elements<T>(), y = b.Elements<T>();
  if (x.empty() && y.empty()) return std::nullopt;  // not stored as T, or no elements
  return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size_bytes()) == 0;
}

bool SameArray(const VArray& a, const VArray& b) {
  if (a.element_type() != b.element_type() || !std::ranges::equal(a.dims(), b.dims())) return false;
  for (const std::optional<bool> same :
       {SameStored<std::int16_t>(a, b), SameStored<std::int32_t>(a, b), SameStored<float>(a, b),
        SameStored<unsigned char>(a, b)}) {
    if (same) return *same;
  }
  return a == b;
}

// The containers' members compared where they are stored, without copying an array out.
bool SameContainer(const clsData& a, const clsData& b) {
  for (std::size_t k = 0; k < AllMembers().size(); ++k) {
    const auto id = static_cast<MemberId>(k);
    if (AllMembers()[k].kind == MemberKind::kScalar) {
      if (!(a.GetScalar(id) == b.GetScalar(id))) return false;
    } else if (!SameArray(a.Array(id), b.Array(id))) {
      return false;
    }
  }
  return true;
}

// The container as the reader reaches it, counting what the reader puts into it.
class CountingChart final : public InProcessChart {
 public:
  using InProcessChart::InProcessChart;

  Status PutScalar(const Member& member, const Variant& value) override {
    ++puts;
    return InProcessChart::PutScalar(member, value);
  }
  Status PutElement(const Member& member, std::span<const std::int32_t> indexes,
                    const Variant& value) override {
    ++puts;
    return InProcessChart::PutElement(member, indexes, value);
  }
  Status PutWholeArray(const Member& member, const Variant& whole) override {
    ++puts;
    return InProcessChart::PutWholeArray(member, whole);
  }
  Status PutProperty(const Property& property, const Variant& value) override {
    ++puts;
    return InProcessChart::PutProperty(property, value);
  }

  int puts = 0;
};

}  // namespace

void FuzzChartFile(std::string_view text) {
  RecordingPlatform platform;
  clsData data(platform);
  CountingChart chart(data);
  // A failed read leaves the members applied before the failing one: still a container that the
  // writer must be able to write. A text the fast way declines is read in detail, as
  // ApplyChartText reads it; one it takes is read both ways, which must agree on every text: the
  // same error, the same container.
  const bool fast = StageChartText(text, text.size(), chart).has_value();
  const Status read = fast ? ApplyChartText(text, "fuzz.json", chart)
                           : ApplyChartTextInDetail(text, "fuzz.json", chart);
  if (fast) {
    clsData detailed_data(platform);
    InProcessChart detailed(detailed_data);
    const Status read_in_detail = ApplyChartTextInDetail(text, "fuzz.json", detailed);
    FuzzCheck(read.ok() == read_in_detail.ok() &&
                  (read.ok() || (read.error().number() == read_in_detail.error().number() &&
                                 read.error().message() == read_in_detail.error().message())),
              "the fast reader and the detailed one differ on an error");
    FuzzCheck(SameContainer(data, detailed_data), "the fast reader and the detailed one differ");
  }

  // A text refused before anything was put leaves the container as new: writing it back would
  // test again what every such input tests.
  if (chart.puts == 0) return;

  Result<std::string> written = ChartFileText(chart);
  FuzzCheck(written.ok(), "a container read from a chart file cannot be written back");
  clsData again_data(platform);
  InProcessChart again(again_data);
  Status reread = ApplyChartText(*written, "written.json", again);
  FuzzCheck(reread.ok(), "written chart text does not read back");
  FuzzCheck(SameContainer(data, again_data), "written chart text reads back to another container");
  Result<std::string> rewritten = ChartFileText(again);
  FuzzCheck(rewritten.ok() && *rewritten == *written, "writing the re-read chart changes its text");
}

}  // namespace ostrevin
