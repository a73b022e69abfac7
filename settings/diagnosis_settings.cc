#include "settings/diagnosis_settings.h"

#include <cmath>
#include <optional>

#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

// Tests of section "CheckFor" that the settings table does not know are off by default.
std::string_view CheckForDefault(std::string_view key) {
  const SettingKey* known = FindSettingKey(DiagnosisSettings::kCheckFor, key);
  return known != nullptr ? known->default_text : "0";
}

// Done by hand rather than with nearbyint so that the result does not depend on the floating
// point rounding mode the host happens to have set.
double RoundHalfToEven(double v) {
  double below = std::floor(v);
  double fraction = v - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::int16_t ToInt16(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 32767) return 32767;
  if (v <= -32768) return -32768;
  return static_cast<std::int16_t>(RoundHalfToEven(v));
}

}  // namespace

bool DiagnosisSettings::GetCheckFor(std::string_view key) const {
  std::string text = store_->GetSetting(kAppName, kCheckFor, key, CheckForDefault(key));
  std::optional<double> value = ParseNumericText(text);
  return !value || RoundHalfToEven(*value) != 0;
}

bool DiagnosisSettings::SaveCheckFor(std::string_view key, bool enabled) {
  return store_->SaveSetting(kAppName, kCheckFor, key, enabled ? "-1" : "0");
}

std::int16_t DiagnosisSettings::GetSignificance(std::string_view key,
                                                std::string_view default_text) const {
  std::string text = store_->GetSetting(kAppName, kSignificances, key, default_text);
  return ToInt16(LeadingNumberValue(text));
}

bool DiagnosisSettings::GetSignificanceFlag(std::string_view key) const {
  std::string text = store_->GetSetting(kAppName, kSignificances, key, "-1");
  std::string_view word = TrimBlanks(text);
  if (EqualsIgnoreCase(word, "True")) return true;
  if (EqualsIgnoreCase(word, "False")) return false;
  std::optional<double> value = ParseNumericText(text);
  return !value || *value != 0;
}

std::string DiagnosisSettings::GetSignificanceText(std::string_view key,
                                                   std::string_view default_text) const {
  return store_->GetSetting(kAppName, kSignificances, key, default_text);
}

bool DiagnosisSettings::SaveSignificance(std::string_view key, std::string_view text) {
  return store_->SaveSetting(kAppName, kSignificances, key, text);
}

void DiagnosisSettings::ResetToDefaults() {
  // A section that cannot be deleted must not keep the other from being reset.
  (void)store_->DeleteSection(kAppName, kCheckFor);
  (void)store_->DeleteSection(kAppName, kSignificances);
}

}  // namespace ostrevin
