#ifndef OSTREVIN_CHARTFILE_STAGED_CHART_H_
#define OSTREVIN_CHARTFILE_STAGED_CHART_H_

// The fast way through a chart file: the whole text is parsed and converted to the host's values
// before anything is put, with simdjson. It takes on only what it can read exactly as the
// detailed reader (chart_file.cc) does; anything else, every error included, is left to that
// reader, which then reads the text from the start and says what is wrong and where.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chartfile/chart_access.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// One member of a chart file, converted and not yet put.
struct StagedMember {
  struct Element {
    std::int32_t index[2] = {0, 0};
    std::uint8_t rank = 1;  // indexes given; the container refuses a count it does not have
    Variant value;
  };
  enum class Form { kScalar, kProperty, kWhole, kElements };

  std::string_view key;    // as the file spells it
  std::size_t offset = 0;  // of the key in the text, for messages
  Form form = Form::kScalar;
  const ChartAccess::Member* member = nullptr;      // all forms but kProperty
  const ChartAccess::Property* property = nullptr;  // kProperty
  Variant value;                                    // kScalar, kProperty; kWhole: the array
  std::vector<Element> elements;                    // kElements, in file order

  // The container's puts of this member, in file order; the first error.
  Status PutInto(ChartAccess& chart) const;
};

// The members of `text` in file order, or nullopt when the text is for the detailed reader.
// `key` views point into `text`. When `readable` (the bytes that may be read from text.data())
// reaches kStagingPadding beyond the text, the parser reads it in place, else from a copy.
std::optional<std::vector<StagedMember>> StageChartText(std::string_view text, std::size_t readable,
                                                        const ChartAccess& chart);
inline constexpr std::size_t kStagingPadding = 64;

// Whether simdjson takes `text` as JSON: a quick first look for the detailed reader.
bool IsJsonText(std::string_view text);

// The first of StageChartText's ways, for the texts tools write: {"Key": plain list or scalar,
// ...} read straight from the text, without the parser. Nullopt for any other text.
std::optional<std::vector<StagedMember>> StagePlainChartText(std::string_view text,
                                                             const ChartAccess& chart);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_STAGED_CHART_H_
