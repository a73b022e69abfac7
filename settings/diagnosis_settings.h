#ifndef OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_
#define OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrevin {

class SettingsStore;

// The one reader and writer of the user's choice of tests and thresholds, under the application
// name "Ostrevin", sections "CheckFor" and "Significances". Nothing is cached: every call reads
// the store, so a saved change applies at the next read. A missing section or key reads as the
// default. Numbers are rounded to the nearest integer, halves to even (2.5 gives 2, 3.5 gives 4),
// and values outside the 16-bit range are clamped to -32768..32767.
class DiagnosisSettings {
 public:
  static constexpr std::string_view kAppName = "Ostrevin";
  static constexpr std::string_view kCheckFor = "CheckFor";
  static constexpr std::string_view kSignificances = "Significances";

  // `store` must outlive this object.
  explicit DiagnosisSettings(SettingsStore& store) : store_(&store) {}

  // Whether the test under `key` is switched on (section "CheckFor"). The default is on for the
  // five keys of the limit and centre-line tests (any case), off for the rest. A numeric text is
  // on when its rounded value is not 0; any other text is on.
  bool GetCheckFor(std::string_view key) const;
  // Writes "-1" or "0". Returns false when the store could not be written.
  bool SaveCheckFor(std::string_view key, bool enabled);
  // The leading-number value of the stored text, rounded half to even, as a 16-bit integer.
  std::int16_t GetSignificance(std::string_view key, std::string_view default_text) const;
  // "True"/"False" (any case) or a numeric text (true when not 0), with default "-1". Any other
  // text reads as the default, true.
  bool GetSignificanceFlag(std::string_view key) const;
  // The stored text as it stands, or `default_text` when there is none.
  std::string GetSignificanceText(std::string_view key, std::string_view default_text) const;
  // Writes the text unchanged. Returns false when the store could not be written.
  bool SaveSignificance(std::string_view key, std::string_view text);
  // Deletes both sections, ignoring any failure of the store.
  void ResetToDefaults();

 private:
  SettingsStore* store_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_DIAGNOSIS_SETTINGS_H_
