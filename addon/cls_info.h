#ifndef OSTREVIN_ADDON_CLS_INFO_H_
#define OSTREVIN_ADDON_CLS_INFO_H_

#include <cstdint>
#include <string>

#include "values/variant.h"

namespace ostrevin {

// One id per constant of the descriptor, in the order of cls_info.def.
enum class InfoMemberId : std::uint8_t {
#define OSTREVIN_INFO(Name, Type, Value) Name,
#include "addon/cls_info.def"
};

// The add-on descriptor: read-only constants that tell the host how to offer the add-on. It holds
// no state; every constant can be read at any time, without side effects. Generated from
// cls_info.def:  static T Name();
class clsInfo {
 public:
#define OSTREVIN_INFO_CXX_Integer std::int16_t
#define OSTREVIN_INFO_CXX_String std::string
#define OSTREVIN_INFO_CXX_Boolean bool
#define OSTREVIN_INFO_CXX_Variant Variant
#define OSTREVIN_INFO(Name, Type, Value)   \
  static OSTREVIN_INFO_CXX_##Type Name() { \
    return Value;                          \
  }
#include "addon/cls_info.def"

  // A constant by id, as a Variant of its type.
  static Variant Get(InfoMemberId id) {
    switch (id) {
#define OSTREVIN_INFO(Name, Type, Value) \
  case InfoMemberId::Name:               \
    return Variant(Name());
#include "addon/cls_info.def"
    }
    return Variant();
  }
};

}  // namespace ostrevin

#endif  // OSTREVIN_ADDON_CLS_INFO_H_
