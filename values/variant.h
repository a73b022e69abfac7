#ifndef OSTREVIN_VALUES_VARIANT_H_
#define OSTREVIN_VALUES_VARIANT_H_

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "values/error.h"

namespace ostrevin {

// The host's value types. Variant appears only as the element type of an array of mixed values.
enum class VarType : std::uint8_t { Empty, Integer, Long, Single, Boolean, String, Variant };

std::string_view VarTypeName(VarType type);

// The host's Boolean: True is -1, False is 0. Kept apart from Integer so a Variant knows which.
struct Boolean {
  bool value = false;
  std::int16_t AsInteger() const { return value ? -1 : 0; }
  friend bool operator==(Boolean, Boolean) = default;
};

// The bounds of one dimension; an empty dimension has upper = lower - 1.
struct Bounds {
  std::int32_t lower = 0;
  std::int32_t upper = -1;
  std::int32_t count() const { return upper - lower + 1; }
  bool Contains(std::int32_t i) const { return i >= lower && i <= upper; }
  friend bool operator==(Bounds, Bounds) = default;
};

class VArray;

// A value crossing the boundary: Empty, Integer (int16), Long (int32), Single (float), Boolean,
// String, or an array of these with explicit bounds.
class Variant {
 public:
  Variant() = default;
  Variant(std::int16_t v) : v_(v) {}                                      // NOLINT
  Variant(std::int32_t v) : v_(v) {}                                      // NOLINT
  Variant(float v) : v_(v) {}                                             // NOLINT
  Variant(Boolean v) : v_(v) {}                                           // NOLINT
  Variant(bool v) : v_(Boolean{v}) {}                                     // NOLINT
  Variant(std::string v) : v_(std::move(v)) {}                            // NOLINT
  Variant(const char* v) : v_(std::string(v)) {}                          // NOLINT
  Variant(VArray array);                                                  // NOLINT
  Variant(std::shared_ptr<const VArray> array) : v_(std::move(array)) {}  // NOLINT

  // The scalar type, or Variant for an array (see IsArray).
  VarType type() const;
  bool IsArray() const { return v_.index() == 6; }
  bool IsEmpty() const { return v_.index() == 0; }
  // REQUIRES: IsArray().
  const VArray& array() const { return *std::get<6>(v_); }
  // The array itself, moved out when this Variant holds its only reference (a value read from
  // the boundary), else a copy. REQUIRES: IsArray().
  VArray TakeArray() &&;

  // Conversions with the host's rules. Numbers round to the nearest integer, halves to even;
  // out of range is error 6; a text that is not a number, or an array, is error 13.
  // `where` names the member and index for the message.
  Result<std::int16_t> ToInteger(std::string_view where = {}) const;
  Result<std::int32_t> ToLong(std::string_view where = {}) const;
  Result<float> ToSingle(std::string_view where = {}) const;
  Result<bool> ToBoolean(std::string_view where = {}) const;
  Result<std::string> ToString(std::string_view where = {}) const;
  // The value converted to `type`; VarType::Variant keeps it as it is.
  Result<Variant> ConvertTo(VarType type, std::string_view where = {}) const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  std::variant<std::monostate, std::int16_t, std::int32_t, float, Boolean, std::string,
               std::shared_ptr<const VArray>>
      v_;
};

// An array of one element type with one or two dimensions and explicit bounds. A fresh default
// array has no dimensions and no elements (what GetArray hands out).
class VArray {
 public:
  VArray() = default;
  // All elements zero, empty or False. REQUIRES: 1 or 2 dimensions.
  VArray(VarType element, std::span<const Bounds> dims);
  VArray(VarType element, std::initializer_list<Bounds> dims)
      : VArray(element, std::span<const Bounds>(dims.begin(), dims.size())) {}
  // An array that takes over `elements` as its storage (T as Elements names it). REQUIRES: as
  // many elements as the bounds hold.
  template <class T>
  VArray(VarType element, std::span<const Bounds> dims, std::vector<T> elements)
      : element_(element), data_(std::move(elements)) {
    SetDims(dims);
  }
  template <class T>
  VArray(VarType element, std::initializer_list<Bounds> dims, std::vector<T> elements)
      : VArray(element, std::span<const Bounds>(dims.begin(), dims.size()), std::move(elements)) {}

  VarType element_type() const { return element_; }
  int rank() const { return static_cast<int>(rank_); }
  // REQUIRES: dim < rank().
  Bounds bounds(int dim) const { return dims_[dim]; }
  std::span<const Bounds> dims() const { return {dims_, rank_}; }
  std::size_t size() const;

  // Position of an element in storage, or -1 when an index is outside the bounds or the number of
  // indexes is not the rank.
  std::int64_t Flat(std::int32_t i) const {
    if (rank_ != 1 || !dims_[0].Contains(i)) return -1;
    return i - dims_[0].lower;
  }
  std::int64_t Flat(std::int32_t i, std::int32_t j) const {
    if (rank_ != 2 || !dims_[0].Contains(i) || !dims_[1].Contains(j)) return -1;
    return static_cast<std::int64_t>(i - dims_[0].lower) * dims_[1].count() + (j - dims_[1].lower);
  }

  // The element at a storage position, as a Variant of the element type.
  Variant At(std::size_t flat) const;
  // Stores the value converted to the element type; fails with the conversion error.
  Status Put(std::size_t flat, const Variant& value, std::string_view where = {});

  // Fast typed read: the element converted to T (int16_t, int32_t, float, bool or std::string),
  // or the conversion error.
  template <class T>
  Result<T> Get(std::size_t flat) const;

  // The elements in storage order when they are stored as T (std::int16_t for Integer,
  // std::int32_t, float, unsigned char for Boolean, std::string, Variant), else an empty span.
  // For copies of whole arrays, such as across the library boundary.
  template <class T>
  std::span<const T> Elements() const {
    if (const auto* v = std::get_if<std::vector<T>>(&data_)) return *v;
    return {};
  }
  template <class T>
  std::span<T> MutableElements() {
    if (auto* v = std::get_if<std::vector<T>>(&data_)) return *v;
    return {};
  }

  // The same elements with dimension 0 given new bounds; the rest is kept (zero where the array
  // grows). REQUIRES: rank() >= 1.
  void Redim(Bounds first);

  friend bool operator==(const VArray& a, const VArray& b);

 private:
  using Booleans = std::vector<unsigned char>;
  // REQUIRES: at most two dimensions.
  void SetDims(std::span<const Bounds> dims);

  VarType element_ = VarType::Variant;
  // The bounds are kept in the array itself: a copy of an array allocates only its elements.
  std::size_t rank_ = 0;
  Bounds dims_[2];
  std::variant<std::vector<std::int16_t>, std::vector<std::int32_t>, std::vector<float>, Booleans,
               std::vector<std::string>, std::vector<Variant>>
      data_ = std::vector<Variant>{};
};

template <>
Result<std::int16_t> VArray::Get(std::size_t flat) const;
template <>
Result<std::int32_t> VArray::Get(std::size_t flat) const;
template <>
Result<float> VArray::Get(std::size_t flat) const;
template <>
Result<bool> VArray::Get(std::size_t flat) const;
template <>
Result<std::string> VArray::Get(std::size_t flat) const;

// A Single in general number form with up to seven significant digits, as printf's "%.7G" gives
// it: 0.5, 1234567, 1.234568E+07, 1E-05.
std::string FormatSingle(float value);

}  // namespace ostrevin

#endif  // OSTREVIN_VALUES_VARIANT_H_
