// The typed members of _clsData, generated from the member tables: each runs the container's
// accessor inside the guard.

#include "library/data_object.h"
#include "library/typed_values.h"

namespace ostrevin {

// Runs `use` with the caller's `value` loaded as Type.
#define OSTREVIN_WITH(Type, value, use) WithLoaded<OSTREVIN_CXX(Type)>(value, use)

namespace {

// Stores a got element for the caller, or gives the container's error.
template <class Out, class T>
Status StoreResult(Out* out, Result<T> got) {
  if (!got) return got.error();
  Store(out, std::move(got).value());
  return Ok{};
}

}  // namespace

#define OSTREVIN_SCALAR(Name, Type)                                                      \
  OstStatus DataObject::get_##Name(OST_ABI_OUT(Type) value) {                            \
    return Typed([&] { Store(value, data_.Name()); });                                   \
  }                                                                                      \
  OstStatus DataObject::put_##Name(OST_ABI_IN(Type) value) {                             \
    return Typed([&] {                                                                   \
      return OSTREVIN_WITH(Type, value, [&](auto v) { data_.Set##Name(std::move(v)); }); \
    });                                                                                  \
  }
#define OSTREVIN_INDEXED1(Name, Type)                                                              \
  OstStatus DataObject::get_##Name(std::int16_t i, OST_ABI_OUT(Type) value) {                      \
    return Typed([&] { return StoreResult(value, data_.Name(i)); });                               \
  }                                                                                                \
  OstStatus DataObject::put_##Name(std::int16_t i, OST_ABI_IN(Type) value) {                       \
    return Typed([&] {                                                                             \
      return OSTREVIN_WITH(Type, value, [&](auto v) { return data_.Set##Name(i, std::move(v)); }); \
    });                                                                                            \
  }
#define OSTREVIN_INDEXED2(Name, Type)                                                         \
  OstStatus DataObject::get_##Name(std::int16_t i, std::int16_t j, OST_ABI_OUT(Type) value) { \
    return Typed([&] { return StoreResult(value, data_.Name(i, j)); });                       \
  }                                                                                           \
  OstStatus DataObject::put_##Name(std::int16_t i, std::int16_t j, OST_ABI_IN(Type) value) {  \
    return Typed([&] {                                                                        \
      return OSTREVIN_WITH(Type, value,                                                       \
                           [&](auto v) { return data_.Set##Name(i, j, std::move(v)); });      \
    });                                                                                       \
  }
#define OSTREVIN_WHOLE(Quick)                                                                      \
  OstStatus DataObject::get_##Quick(OstVariant* value) {                                           \
    return Typed([&] { Store(value, Variant(data_.Quick())); });                                   \
  }                                                                                                \
  OstStatus DataObject::put_##Quick(const OstVariant* value) {                                     \
    return Typed([&] {                                                                             \
      return OSTREVIN_WITH(Variant, value, [&](const Variant& v) { return data_.Set##Quick(v); }); \
    });                                                                                            \
  }
#define OSTREVIN_CXX_Variant Variant
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) OSTREVIN_INDEXED1(Name, Type)
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) OSTREVIN_INDEXED2(Name, Type)
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  OSTREVIN_INDEXED1(Name, Type) OSTREVIN_WHOLE(Quick)
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  OSTREVIN_INDEXED2(Name, Type) OSTREVIN_WHOLE(Quick)
#include "addon/members.def"

#define OSTREVIN_DATA_GET(Name, Type)                         \
  OstStatus DataObject::get_##Name(OST_ABI_OUT(Type) value) { \
    return Typed([&] { Store(value, data_.Name()); });        \
  }
#define OSTREVIN_DATA_PUT(Name, Type)                                                    \
  OstStatus DataObject::put_##Name(OST_ABI_IN(Type) value) {                             \
    return Typed([&] {                                                                   \
      return OSTREVIN_WITH(Type, value, [&](auto v) { data_.Set##Name(std::move(v)); }); \
    });                                                                                  \
  }
#define OSTREVIN_DATA_METHOD(Name)              \
  OstStatus DataObject::Name() {                \
    return Typed([&] { return data_.Name(); }); \
  }
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2)                           \
  OstStatus DataObject::get_##Name(OST_ABI_IN(Type1) Arg1, OST_ABI_IN(Type2) Arg2,             \
                                   OST_ABI_OUT(Type) value) {                                  \
    return Typed([&] {                                                                         \
      return OSTREVIN_WITH(Type1, Arg1, [&](auto a1) {                                         \
        return OSTREVIN_WITH(Type2, Arg2, [&](auto a2) { Store(value, data_.Name(a1, a2)); }); \
      });                                                                                      \
    });                                                                                        \
  }
#include "addon/cls_data_methods.def"

}  // namespace ostrevin
