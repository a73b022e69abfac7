#ifndef OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_
#define OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrevin {

class SettingsStore;

// The one reader and writer of the user's choice of tests and thresholds, under the application
// name "Ostrevin", sections "CheckFor" and "Significances". Nothing is cached: every call reads
// the store, so a saved change applies at the next read.
class DiagnosisSettings {
 public:
  static constexpr std::string_view kAppName = "Ostrevin";
  static constexpr std::string_view kCheckFor = "CheckFor";
  static constexpr std::string_view kSignificances = "Significances";

  // `store` must outlive this object.
  explicit DiagnosisSettings(SettingsStore& store) : store_(&store) {}

  // Whether the test under `key` is switched on (section "CheckFor").
  bool GetCheckFor(std::string_view key) const;
  void SaveCheckFor(std::string_view key, bool enabled);
  // The leading-number value of the stored text, rounded half to even, as a 16-bit integer.
  std::int16_t GetSignificance(std::string_view key, std::string_view default_text) const;
  // "True"/"False" (any case) or a numeric text, with default "-1".
  bool GetSignificanceFlag(std::string_view key) const;
  std::string GetSignificanceText(std::string_view key, std::string_view default_text) const;
  void SaveSignificance(std::string_view key, std::string_view text);
  // Deletes both sections, ignoring any failure of the store.
  void ResetToDefaults();

 private:
  SettingsStore* store_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_
