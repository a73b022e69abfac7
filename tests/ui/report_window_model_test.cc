#include "ui/report_window_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "addon/cls_data.h"
#include "platform/recording_platform.h"
#include "settings/memory_store.h"
#include "tests/ui/small_chart.h"

namespace ostrevin {
namespace {

// Composing, copying and carrying on are compared whole through the window in tst_frmdisplay.

// A store that fails every read, to make composing fail with something other than an Error.
class BrokenStore : public MemoryStore {
 public:
  std::string GetSetting(std::string_view, std::string_view, std::string_view,
                         std::string_view) override {
    throw std::runtime_error("settings unreadable");
  }
};

TEST(ReportWindowModelTest, ErrorsWhileComposingAreShownAndTheWindowStaysUsable) {
  const struct {
    std::string name;
    std::function<void(clsData&)> break_chart;
    bool broken_store;
    std::string message;
    std::string report;
  } cases[] = {
      {"container error",
       [](clsData& d) {
         d.SetCType(-3);
         d.SetNSam(700);  // more subgroups than the chart holds
       },
       false, "The diagnosis could not be completed.\n\nError 9: Subscript out of range: HAxL(700)",
       "The diagnosis could not be completed (error 9)."},
      {"other exception", [](clsData&) {}, true,
       "The diagnosis could not be completed.\n\nsettings unreadable",
       "The diagnosis could not be completed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPlatform recording;
    clsData chart(recording);
    FillSmallChart(chart);
    c.break_chart(chart);
    MemoryStore good_store;
    BrokenStore bad_store;
    ReportWindowModel broken(chart, c.broken_store ? bad_store : good_store, recording);
    EXPECT_EQ(broken.GetDiagnosis(), c.report);
    ASSERT_EQ(recording.messages.size(), 1u);
    EXPECT_EQ(recording.messages[0].text, c.message);
    EXPECT_EQ(recording.messages[0].icon, MessageIcon::kExclamation);
    broken.Copy();
    EXPECT_EQ(recording.clipboard, c.report);
  }
}

}  // namespace
}  // namespace ostrevin
