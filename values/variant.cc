#include "values/variant.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "values/numeric_text.h"

namespace ostrevin {
namespace {

std::string Where(std::string_view where) {
  return where.empty() ? "value" : std::string(where);
}

Result<double> ParseNumber(const std::string& text, std::string_view where) {
  std::optional<double> v = ParseNumericText(text);
  if (!v) return Error::TypeMismatch(Where(where) + " holds \"" + text + "\", not a number");
  return *v;
}

// Rounds to the nearest integer, halves to even, and checks the range of the target type.
template <class Int>
Result<Int> RoundToInt(double v, std::string_view where) {
  double r = std::nearbyint(v);
  if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        r <= static_cast<double>(std::numeric_limits<Int>::max())))
    return Error::Overflow(Where(where));
  return static_cast<Int>(r);
}

}  // namespace

std::string_view VarTypeName(VarType type) {
  switch (type) {
    case VarType::Empty:
      return "Empty";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Single:
      return "Single";
    case VarType::Boolean:
      return "Boolean";
    case VarType::String:
      return "String";
    case VarType::Variant:
      return "Variant";
  }
  return "?";
}

std::string FormatSingle(float value) {
  // printf's "%.7G" (seven significant digits, in the C locale), without printf's cost.
  char buf[32];
  char* const end = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                  std::chars_format::general, 7)
                        .ptr;
  std::transform(buf, end, buf, [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return std::string(buf, end);
}

// ---------------------------------------------------------------------------------------------
// Variant

// Made as a mutable object (handed out as const) so that TakeArray may move from it.
Variant::Variant(VArray array) : v_(std::make_shared<VArray>(std::move(array))) {}

VArray Variant::TakeArray() && {
  std::shared_ptr<const VArray>& held = std::get<6>(v_);
  if (held.use_count() != 1) return *held;
  return std::move(const_cast<VArray&>(*held));
}

VarType Variant::type() const {
  switch (v_.index()) {
    case 0:
      return VarType::Empty;
    case 1:
      return VarType::Integer;
    case 2:
      return VarType::Long;
    case 3:
      return VarType::Single;
    case 4:
      return VarType::Boolean;
    case 5:
      return VarType::String;
    default:
      return VarType::Variant;
  }
}

template <class Int>
static Result<Int> ToInt(const Variant& v, std::string_view where) {
  switch (v.type()) {
    case VarType::Empty:
      return Int{0};
    case VarType::Integer:
      return RoundToInt<Int>(*v.ToInteger(), where);
    case VarType::Long:
      return RoundToInt<Int>(*v.ToLong(), where);
    case VarType::Single:
      return RoundToInt<Int>(static_cast<double>(*v.ToSingle()), where);
    case VarType::Boolean:
      return static_cast<Int>(*v.ToBoolean() ? -1 : 0);
    case VarType::String: {
      Result<double> d = ParseNumber(*v.ToString(), where);
      if (!d) return d.error();
      return RoundToInt<Int>(*d, where);
    }
    default:
      return Error::TypeMismatch(Where(where) + " holds an array");
  }
}

Result<std::int16_t> Variant::ToInteger(std::string_view where) const {
  if (auto* p = std::get_if<std::int16_t>(&v_)) return *p;
  return ToInt<std::int16_t>(*this, where);
}

Result<std::int32_t> Variant::ToLong(std::string_view where) const {
  if (auto* p = std::get_if<std::int32_t>(&v_)) return *p;
  if (auto* p = std::get_if<std::int16_t>(&v_)) return std::int32_t{*p};
  return ToInt<std::int32_t>(*this, where);
}

Result<float> Variant::ToSingle(std::string_view where) const {
  switch (v_.index()) {
    case 0:
      return 0.0f;
    case 1:
      return static_cast<float>(std::get<1>(v_));
    case 2:
      return static_cast<float>(std::get<2>(v_));
    case 3:
      return std::get<3>(v_);
    case 4:
      return std::get<4>(v_).value ? -1.0f : 0.0f;
    case 5: {
      Result<double> d = ParseNumber(std::get<5>(v_), where);
      if (!d) return d.error();
      if (std::fabs(*d) > static_cast<double>(FLT_MAX)) return Error::Overflow(Where(where));
      return static_cast<float>(*d);
    }
    default:
      return Error::TypeMismatch(Where(where) + " holds an array");
  }
}

Result<bool> Variant::ToBoolean(std::string_view where) const {
  switch (v_.index()) {
    case 0:
      return false;
    case 1:
      return std::get<1>(v_) != 0;
    case 2:
      return std::get<2>(v_) != 0;
    case 3:
      return std::get<3>(v_) != 0.0f;
    case 4:
      return std::get<4>(v_).value;
    case 5: {
      const std::string& s = std::get<5>(v_);
      if (EqualsIgnoreCase(TrimBlanks(s), "True")) return true;
      if (EqualsIgnoreCase(TrimBlanks(s), "False")) return false;
      Result<double> d = ParseNumber(s, where);
      if (!d) return d.error();
      return *d != 0.0;
    }
    default:
      return Error::TypeMismatch(Where(where) + " holds an array");
  }
}

Result<std::string> Variant::ToString(std::string_view where) const {
  switch (v_.index()) {
    case 0:
      return std::string();
    case 1:
      return std::to_string(std::get<1>(v_));
    case 2:
      return std::to_string(std::get<2>(v_));
    case 3:
      return FormatSingle(std::get<3>(v_));
    case 4:
      return std::string(std::get<4>(v_).value ? "True" : "False");
    case 5:
      return std::get<5>(v_);
    default:
      return Error::TypeMismatch(Where(where) + " holds an array");
  }
}

Result<Variant> Variant::ConvertTo(VarType type, std::string_view where) const {
  auto wrap = [](auto r) -> Result<Variant> {
    if (!r) return r.error();
    return Variant(*r);
  };
  switch (type) {
    case VarType::Integer:
      return wrap(ToInteger(where));
    case VarType::Long:
      return wrap(ToLong(where));
    case VarType::Single:
      return wrap(ToSingle(where));
    case VarType::Boolean:
      return wrap(ToBoolean(where));
    case VarType::String:
      return wrap(ToString(where));
    case VarType::Empty:
    case VarType::Variant:
      return *this;
  }
  return *this;
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.v_.index() != b.v_.index()) return false;
  if (a.IsArray()) return a.array() == b.array();
  return a.v_ == b.v_;
}

// ---------------------------------------------------------------------------------------------
// VArray

VArray::VArray(VarType element, std::span<const Bounds> dims) : element_(element) {
  SetDims(dims);
  std::size_t n = size();
  switch (element_) {
    case VarType::Integer:
      data_ = std::vector<std::int16_t>(n);
      break;
    case VarType::Long:
      data_ = std::vector<std::int32_t>(n);
      break;
    case VarType::Single:
      data_ = std::vector<float>(n);
      break;
    case VarType::Boolean:
      data_ = Booleans(n);
      break;
    case VarType::String:
      data_ = std::vector<std::string>(n);
      break;
    case VarType::Empty:
    case VarType::Variant:
      element_ = VarType::Variant;
      data_ = std::vector<Variant>(n);
      break;
  }
}

void VArray::SetDims(std::span<const Bounds> dims) {
  rank_ = std::min(dims.size(), std::size(dims_));
  std::copy_n(dims.begin(), rank_, dims_);
}

std::size_t VArray::size() const {
  if (rank_ == 0) return 0;
  std::size_t n = 1;
  for (Bounds b : dims()) n *= static_cast<std::size_t>(b.count() > 0 ? b.count() : 0);
  return n;
}

Variant VArray::At(std::size_t flat) const {
  switch (data_.index()) {
    case 0:
      return std::get<0>(data_)[flat];
    case 1:
      return std::get<1>(data_)[flat];
    case 2:
      return std::get<2>(data_)[flat];
    case 3:
      return Boolean{std::get<3>(data_)[flat] != 0};
    case 4:
      return std::get<4>(data_)[flat];
    default:
      return std::get<5>(data_)[flat];
  }
}

Status VArray::Put(std::size_t flat, const Variant& value, std::string_view where) {
  switch (data_.index()) {
    case 0: {
      auto r = value.ToInteger(where);
      if (!r) return r.error();
      std::get<0>(data_)[flat] = *r;
      break;
    }
    case 1: {
      auto r = value.ToLong(where);
      if (!r) return r.error();
      std::get<1>(data_)[flat] = *r;
      break;
    }
    case 2: {
      auto r = value.ToSingle(where);
      if (!r) return r.error();
      std::get<2>(data_)[flat] = *r;
      break;
    }
    case 3: {
      auto r = value.ToBoolean(where);
      if (!r) return r.error();
      std::get<3>(data_)[flat] = *r ? 1 : 0;
      break;
    }
    case 4: {
      auto r = value.ToString(where);
      if (!r) return r.error();
      std::get<4>(data_)[flat] = std::move(r).value();
      break;
    }
    default:
      if (value.IsArray())
        return Error::TypeMismatch(Where(where) + ": an array cannot be an element");
      std::get<5>(data_)[flat] = value;
      break;
  }
  return Ok{};
}

template <>
Result<std::int16_t> VArray::Get(std::size_t flat) const {
  if (data_.index() == 0) return std::get<0>(data_)[flat];
  return At(flat).ToInteger();
}

template <>
Result<std::int32_t> VArray::Get(std::size_t flat) const {
  if (data_.index() == 1) return std::get<1>(data_)[flat];
  return At(flat).ToLong();
}

template <>
Result<float> VArray::Get(std::size_t flat) const {
  if (data_.index() == 2) return std::get<2>(data_)[flat];
  return At(flat).ToSingle();
}

template <>
Result<bool> VArray::Get(std::size_t flat) const {
  if (data_.index() == 3) return std::get<3>(data_)[flat] != 0;
  return At(flat).ToBoolean();
}

template <>
Result<std::string> VArray::Get(std::size_t flat) const {
  if (data_.index() == 4) return std::get<4>(data_)[flat];
  return At(flat).ToString();
}

void VArray::Redim(Bounds first) {
  const std::size_t row = rank_ == 2 ? static_cast<std::size_t>(std::max(dims_[1].count(), 0)) : 1;
  const Bounds old = dims_[0];
  dims_[0] = first;
  const std::size_t count = size();
  std::visit(
      [&](auto& elements) {
        // Rows are stored one after another, so the kept ones move as one stretch and the
        // rest are zero, empty or False, as in a new array.
        if (first.lower == old.lower) {
          elements.resize(count);
          return;
        }
        std::remove_reference_t<decltype(elements)> grown(count);
        const std::int32_t lo = std::max(first.lower, old.lower);
        const std::int32_t hi = std::min(first.upper, old.upper);
        if (lo <= hi) {
          const auto from = elements.begin() + static_cast<std::ptrdiff_t>((lo - old.lower) * row);
          std::move(from, from + static_cast<std::ptrdiff_t>((hi - lo + 1) * row),
                    grown.begin() + static_cast<std::ptrdiff_t>((lo - first.lower) * row));
        }
        elements = std::move(grown);
      },
      data_);
}

bool operator==(const VArray& a, const VArray& b) {
  return a.element_ == b.element_ && std::ranges::equal(a.dims(), b.dims()) && a.data_ == b.data_;
}

}  // namespace ostrevin
