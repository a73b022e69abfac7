#ifndef OSTREVIN_SETTINGS_TEST_ID_H_
#define OSTREVIN_SETTINGS_TEST_ID_H_

// The names of the diagnosis tests and of their options, from settings/tests.def.

#include <cstdint>
#include <string_view>

namespace ostrevin {

// The test variants, in the order the run driver runs them.
enum class TestId : std::uint8_t {
#define OSTREVIN_TEST(Id, ...) Id,
#include "settings/tests.def"
};
inline constexpr int kTestCount = 0
#define OSTREVIN_TEST(...) +1
#include "settings/tests.def"
    ;

// The flags that change how a test looks (section "Significances", on by default).
enum class TestOption : std::uint8_t {
#define OSTREVIN_TEST_OPTION(Id, ...) Id,
#include "settings/tests.def"
};
inline constexpr int kTestOptionCount = 0
#define OSTREVIN_TEST_OPTION(...) +1
#include "settings/tests.def"
    ;

// The settings key of an option.
std::string_view OptionKey(TestOption option);

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_TEST_ID_H_
