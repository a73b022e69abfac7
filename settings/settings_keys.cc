#include "settings/settings_keys.h"

#include "addon/numeric_text.h"

namespace ostrevin {
namespace {

constexpr SettingKey kKeys[] = {
    {"CheckFor", "DiagnoseForAllAboveUCL", "-1"},
    {"CheckFor", "DiagnoseForAllAboveUCLMR", "-1"},
    {"CheckFor", "DiagnoseForAllBelowLCL", "-1"},
    {"CheckFor", "DiagnoseForAllAboveBelowMean", "-1"},
    {"CheckFor", "DiagnoseForAllAboveBelowMeanMR", "-1"},
    {"CheckFor", "DiagnoseFor2OutOf3Between23SigmaAboveMean", "0"},
    {"CheckFor", "DiagnoseFor2OutOf3Between23SigmaBelowMean", "0"},
    {"CheckFor", "DiagnoseFor4OutOf5Between13SigmaAboveMean", "0"},
    {"CheckFor", "DiagnoseFor4OutOf5Between13SigmaBelowMean", "0"},
    {"CheckFor", "DiagnoseForAllWithin1SDMean", "0"},
    {"CheckFor", "DiagnoseForAllIncreasingOrDecreasing", "0"},
    {"CheckFor", "DiagnoseForExtremeSwitch", "0"},
    {"CheckFor", "DiagnoseForZigZag", "0"},
    {"Significances", "AllAboveBelowMean", "8"},
    {"Significances", "AllAboveBelowMeanMR", "10"},
    {"Significances", "AllWithin1SD", "15"},
    {"Significances", "AllIncreasingOrDecreasing", "6"},
    {"Significances", "ZigZagRepeats", "7"},
    {"Significances", "ZigZagAboutCentralLine", "-1"},
    {"Significances", "ZigZagFrom1SD", "-1"},
    {"Significances", "ZigZagAtLeastSDDistanceSignificant", "-1"},
};

}  // namespace

std::span<const SettingKey> AllSettingKeys() { return kKeys; }

const SettingKey* FindSettingKey(std::string_view section, std::string_view key) {
  for (const SettingKey& k : kKeys) {
    if (EqualsIgnoreCase(k.section, section) && EqualsIgnoreCase(k.key, key)) return &k;
  }
  return nullptr;
}

}  // namespace ostrevin
