#include "settings/settings_keys.h"

#include <array>

#include "settings/test_id.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

struct TestKeys {
  std::string_view key;
  bool on;
  std::string_view threshold;
  std::string_view threshold_default;
};

constexpr TestKeys kTests[] = {
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, ...) \
  {Key, On, Threshold, ThresholdDefault},
#include "settings/tests.def"
};

constexpr std::string_view kOptionKeys[] = {
#define OSTREVIN_TEST_OPTION(Id, Test, Key, Check) Key,
#include "settings/tests.def"
};

constexpr std::size_t kThresholdCount = [] {
  std::size_t n = 0;
  for (const TestKeys& t : kTests) n += t.threshold.empty() ? 0 : 1;
  return n;
}();

// The switches in the order the tests run, then the thresholds in the same order, then the
// options; options are on by default.
constexpr auto kKeys = [] {
  std::array<SettingKey, std::size(kTests) + kThresholdCount + std::size(kOptionKeys)> keys{};
  std::size_t k = 0;
  for (const TestKeys& t : kTests) keys[k++] = {"CheckFor", t.key, t.on ? "-1" : "0"};
  for (const TestKeys& t : kTests) {
    if (!t.threshold.empty()) keys[k++] = {"Significances", t.threshold, t.threshold_default};
  }
  for (std::string_view key : kOptionKeys) keys[k++] = {"Significances", key, "-1"};
  return keys;
}();

}  // namespace

std::span<const SettingKey> AllSettingKeys() {
  return kKeys;
}

const SettingKey* FindSettingKey(std::string_view section, std::string_view key) {
  for (const SettingKey& k : kKeys) {
    if (EqualsIgnoreCase(k.section, section) && EqualsIgnoreCase(k.key, key)) return &k;
  }
  return nullptr;
}

std::string_view OptionKey(TestOption option) {
  return kOptionKeys[static_cast<std::size_t>(option)];
}

}  // namespace ostrevin
