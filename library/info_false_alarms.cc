// IOstFalseAlarms and IOstRunLengths of clsInfo objects: the false-alarm and run-length
// estimates run by the library's own diagnosis engine, with the settings file the host names.

#include <memory>

#include "abi/abi_values.h"
#include "analysis/false_alarm_text.h"
#include "analysis/false_alarms.h"
#include "library/info_object.h"
#include "library/settings_choice.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {

OstStatus InfoObject::EstimateFalseAlarms(const char* settings_path, std::int16_t points,
                                          std::int32_t runs, std::uint64_t seed,
                                          OstProgressCallback progress, void* progress_context,
                                          OstString* table, OstErrorInfo* error) {
  return EstimateRunLengths(settings_path, points, runs, seed, 0, 0, progress, progress_context,
                            table, error);
}

OstStatus InfoObject::EstimateRunLengths(const char* settings_path, std::int16_t points,
                                         std::int32_t runs, std::uint64_t seed, double shift,
                                         double trend, OstProgressCallback progress,
                                         void* progress_context, OstString* table,
                                         OstErrorInfo* error) {
  return Guarded(&last_error_, error, [&] {
    OstString* target = Required(table);
    *target = OstString{nullptr, 0};  // a failing call leaves its [out] values empty
    const std::unique_ptr<SettingsStore> store = OpenSettings(settings_path);
    const DiagnosisSettings settings(*store);
    Progress report;
    if (progress != nullptr) {
      report = [&](std::int32_t done, std::int32_t total) {
        progress(progress_context, done, total);
      };
    }
    const Result<FalseAlarmEstimate> estimate =
        ostrevin::EstimateFalseAlarms(settings, points, runs, seed, report, {shift, trend});
    if (!estimate) return Failed(estimate.error(), &last_error_, error);
    *target = NewOstString(FormatFalseAlarms(*estimate));
    return kOstOk;
  });
}

}  // namespace ostrevin
