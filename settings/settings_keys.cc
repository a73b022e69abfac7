#include "settings/settings_keys.h"

#include <array>
#include <charconv>

#include "settings/test_id.h"
#include "values/numeric_text.h"

namespace ostrevin {
namespace {

struct TestKeys {
  std::string_view key;
  bool on;
  std::string_view threshold;
  std::string_view threshold_default;
  std::int16_t least, most;
};

constexpr TestKeys kTests[] = {
#define OSTREVIN_TEST(Id, Key, On, Threshold, ThresholdDefault, Rank, Box, Page, MovingRange, Run, \
                      Line, Up, Down, Way, Legend, Check, Image, Picture, Least, Most)             \
  {Key, On, Threshold, ThresholdDefault, Least, Most},
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
  using enum SettingKey::Kind;
  for (const TestKeys& t : kTests) keys[k++] = {"CheckFor", t.key, t.on ? "-1" : "0", kSwitch};
  for (const TestKeys& t : kTests) {
    if (!t.threshold.empty())
      keys[k++] = {"Significances", t.threshold, t.threshold_default, kNumber, t.least, t.most};
  }
  for (std::string_view key : kOptionKeys) keys[k++] = {"Significances", key, "-1", kSwitch};
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

Result<std::string> SettingText(const SettingKey& key, std::string_view value) {
  const std::string_view text = TrimBlanks(value);
  if (key.kind == SettingKey::Kind::kSwitch) {
    for (std::string_view on : {"on", "true", "yes", "1", "-1"}) {
      if (EqualsIgnoreCase(text, on)) return std::string("-1");
    }
    for (std::string_view off : {"off", "false", "no", "0"}) {
      if (EqualsIgnoreCase(text, off)) return std::string("0");
    }
    return Error::InvalidInput(std::string(key.key) +
                               " takes on or off (also true or false, yes or no, -1 or 1 or 0), "
                               "not \"" +
                               std::string(value) + "\"");
  }
  int number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || number < key.least ||
      number > key.most)
    return Error::InvalidInput(std::string(key.key) + " takes a whole number from " +
                               std::to_string(key.least) + " to " + std::to_string(key.most) +
                               ", not \"" + std::string(value) + "\"");
  return std::to_string(number);
}

std::string_view OptionKey(TestOption option) {
  return kOptionKeys[static_cast<std::size_t>(option)];
}

}  // namespace ostrevin
