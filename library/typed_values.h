#ifndef OSTREVIN_LIBRARY_TYPED_VALUES_H_
#define OSTREVIN_LIBRARY_TYPED_VALUES_H_

// Values of the typed interfaces: from our types to the boundary's [out] parameters (Store) and
// from its [in] parameters to ours (Load). Null pointers, a fault of the caller, throw
// NullPointer (guard.h).

#include <cstdint>
#include <string>
#include <type_traits>

#include "abi/abi_values.h"
#include "library/guard.h"

namespace ostrevin {

inline void Store(std::int16_t* out, std::int16_t value) {
  *Required(out) = value;
}
inline void Store(OstBool* out, bool value) {
  *Required(out) = value ? kOstBoolTrue : kOstBoolFalse;
}
inline void Store(std::int32_t* out, std::int32_t value) {
  *Required(out) = value;
}
inline void Store(float* out, float value) {
  *Required(out) = value;
}
inline void Store(OstString* out, const std::string& value) {
  auto* target = Required(out);
  *target = NewOstString(value);
}
inline void Store(OstVariant* out, const Variant& value) {
  auto* target = Required(out);
  *target = NewOstVariant(value);
}

// Load gives the caller's value as ours, or the error of a string or variant that ours cannot
// hold.
inline Result<std::int16_t> Load(std::type_identity<std::int16_t>, std::int16_t value) {
  return value;
}
inline Result<bool> Load(std::type_identity<bool>, OstBool value) {
  return value != 0;
}
inline Result<std::int32_t> Load(std::type_identity<std::int32_t>, std::int32_t value) {
  return value;
}
inline Result<float> Load(std::type_identity<float>, float value) {
  return value;
}
inline Result<std::string> Load(std::type_identity<std::string>, const OstString* value) {
  return ReadOstString(*Required(value));
}
inline Result<Variant> Load(std::type_identity<Variant>, const OstVariant* value) {
  return ReadOstVariant(*Required(value));
}

// Hands the caller's value, loaded as T, to `use` (which returns nothing or a Status).
template <class T, class In, class Use>
Status WithLoaded(In in, Use use) {
  OSTREVIN_ASSIGN_OR_RETURN(T value, Load(std::type_identity<T>{}, in));
  return AsStatus([&] { return use(std::move(value)); });
}

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_TYPED_VALUES_H_
