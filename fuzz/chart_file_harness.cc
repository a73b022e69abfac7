#include <string>

#include "addon/cls_data.h"
#include "chartfile/chart_file.h"
#include "chartfile/in_process_chart.h"
#include "fuzz/harnesses.h"
#include "platform/recording_platform.h"

namespace ostrevin {
namespace {

bool SameContainer(const ChartAccess& a, const ChartAccess& b) {
  for (const ChartAccess::Member& m : a.members()) {
    if (m.kind == ChartAccess::Member::Kind::kScalar) {
      if (!(*a.GetScalar(m) == *b.GetScalar(m))) return false;
    } else if (!(*a.GetArray(m) == *b.GetArray(m))) {
      return false;
    }
  }
  return true;
}

}  // namespace

void FuzzChartFile(std::string_view text) {
  RecordingPlatform platform;
  clsData data(platform);
  InProcessChart chart(data);
  // A failed read leaves the members applied before the failing one: still a container that the
  // writer must be able to write.
  const Status read = ApplyChartText(text, "fuzz.json", chart);

  // The fast way and the detailed one agree on every text: the same error, the same container.
  clsData detailed_data(platform);
  InProcessChart detailed(detailed_data);
  const Status read_in_detail = ApplyChartTextInDetail(text, "fuzz.json", detailed);
  FuzzCheck(read.ok() == read_in_detail.ok() &&
                (read.ok() || (read.error().number() == read_in_detail.error().number() &&
                               read.error().message() == read_in_detail.error().message())),
            "the fast reader and the detailed one differ on an error");
  FuzzCheck(SameContainer(chart, detailed), "the fast reader and the detailed one differ");

  Result<std::string> written = ChartFileText(chart);
  FuzzCheck(written.ok(), "a container read from a chart file cannot be written back");
  clsData again_data(platform);
  InProcessChart again(again_data);
  Status reread = ApplyChartText(*written, "written.json", again);
  FuzzCheck(reread.ok(), "written chart text does not read back");
  FuzzCheck(SameContainer(chart, again), "written chart text reads back to another container");
  Result<std::string> rewritten = ChartFileText(again);
  FuzzCheck(rewritten.ok() && *rewritten == *written, "writing the re-read chart changes its text");
}

}  // namespace ostrevin
