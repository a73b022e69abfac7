#include "abi/abi_values.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace ostrevin {
namespace {

// Arrays beyond this many elements are refused before anything is read or allocated.
constexpr std::int64_t kMaxElements = std::int64_t{1} << 24;

void* Allocate(std::size_t bytes) {
  void* p = std::malloc(bytes == 0 ? 1 : bytes);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

OstVarType AbiVarType(VarType type) {
  switch (type) {
    case VarType::Empty:
      return kOstVtEmpty;
    case VarType::Integer:
      return kOstVtInteger;
    case VarType::Long:
      return kOstVtLong;
    case VarType::Single:
      return kOstVtSingle;
    case VarType::Boolean:
      return kOstVtBoolean;
    case VarType::String:
      return kOstVtString;
    case VarType::Variant:
      break;
  }
  return kOstVtVariant;
}

std::optional<VarType> OurVarType(std::uint16_t type) {
  switch (type) {
    case kOstVtEmpty:
      return VarType::Empty;
    case kOstVtInteger:
      return VarType::Integer;
    case kOstVtLong:
      return VarType::Long;
    case kOstVtSingle:
      return VarType::Single;
    case kOstVtBoolean:
      return VarType::Boolean;
    case kOstVtString:
      return VarType::String;
    case kOstVtVariant:
      return VarType::Variant;
    default:
      return std::nullopt;
  }
}

namespace {

std::string Hex(std::uint32_t n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", n);
  return buffer;
}

Error Broken(std::string_view what) {
  return Error::TypeMismatch("a value from across the boundary is broken: " + std::string(what));
}

// Whether the string's length and bytes may be read.
Status CheckOstString(const OstString& text) {
  if (text.length < 0) return Broken("a string of length " + std::to_string(text.length));
  if (text.length > 0 && text.data == nullptr) return Broken("a string without its bytes");
  return Ok{};
}

// A scalar variant; the caller makes sure `value` is not an array.
OstVariant NewScalar(const Variant& value) {
  OstVariant v{AbiVarType(value.type()), {}};
  v.long_value = 0;
  switch (value.type()) {
    case VarType::Integer:
      v.integer = *value.ToInteger();
      break;
    case VarType::Long:
      v.long_value = *value.ToLong();
      break;
    case VarType::Single:
      v.single = *value.ToSingle();
      break;
    case VarType::Boolean:
      v.boolean = *value.ToBoolean() ? kOstBoolTrue : kOstBoolFalse;
      break;
    case VarType::String:
      v.string = NewOstString(*value.ToString());
      break;
    default:
      break;
  }
  return v;
}

// Fills the elements of a new OstArray from the array's storage.
void FillElements(OstArray& out, const VArray& array) {
  auto copy = [&](auto tag) {
    using T = decltype(tag);
    std::span<const T> in = array.Elements<T>();
    std::copy(in.begin(), in.end(), static_cast<T*>(out.elements));
  };
  switch (out.element_type) {
    case kOstVtInteger:
      return copy(std::int16_t{});
    case kOstVtLong:
      return copy(std::int32_t{});
    case kOstVtSingle:
      return copy(float{});
    case kOstVtBoolean: {
      std::span<const unsigned char> in = array.Elements<unsigned char>();
      for (std::size_t k = 0; k < in.size(); ++k)
        static_cast<OstBool*>(out.elements)[k] = in[k] != 0 ? kOstBoolTrue : kOstBoolFalse;
      return;
    }
    case kOstVtString: {
      std::span<const std::string> in = array.Elements<std::string>();
      for (std::size_t k = 0; k < in.size(); ++k)
        static_cast<OstString*>(out.elements)[k] = NewOstString(in[k]);
      return;
    }
    default: {
      std::span<const Variant> in = array.Elements<Variant>();
      for (std::size_t k = 0; k < in.size(); ++k)
        static_cast<OstVariant*>(out.elements)[k] = NewScalar(in[k]);
      return;
    }
  }
}

std::size_t ElementSize(std::uint16_t type) {
  switch (type) {
    case kOstVtInteger:
    case kOstVtBoolean:
      return sizeof(std::int16_t);
    case kOstVtLong:
      return sizeof(std::int32_t);
    case kOstVtSingle:
      return sizeof(float);
    case kOstVtString:
      return sizeof(OstString);
    default:
      return sizeof(OstVariant);
  }
}

// The array's type and bounds, without elements.
OstArray ArrayHeader(const VArray& array) {
  OstArray out{AbiVarType(array.element_type()),
               static_cast<std::uint16_t>(array.rank()),
               {{0, -1}, {0, -1}},
               nullptr};
  for (int d = 0; d < array.rank(); ++d)
    out.bounds[d] = OstBounds{array.bounds(d).lower, array.bounds(d).upper};
  return out;
}

OstArray* NewOstArray(const VArray& array) {
  auto* out = static_cast<OstArray*>(Allocate(sizeof(OstArray)));
  *out = ArrayHeader(array);
  const std::size_t n = array.size();
  if (n == 0) return out;
  try {
    out->elements = Allocate(n * ElementSize(out->element_type));
    // Strings and variants are zeroed first, so that a failure half way releases only what was
    // written; numbers cannot fail.
    if (out->element_type == kOstVtString || out->element_type == kOstVtVariant)
      std::memset(out->elements, 0, n * ElementSize(out->element_type));
    FillElements(*out, array);
  } catch (...) {
    OstArrayFree(out);
    throw;
  }
  return out;
}

// The number of elements the bounds describe, or the reason they describe none.
Result<std::int64_t> ElementCount(const OstArray& array) {
  if (array.rank > 2) return Broken("an array of " + std::to_string(array.rank) + " dimensions");
  std::int64_t count = array.rank == 0 ? 0 : 1;
  for (int d = 0; d < array.rank; ++d) {
    const std::int64_t n = std::int64_t{array.bounds[d].upper} - array.bounds[d].lower + 1;
    if (n < 0)
      return Broken("bounds " + std::to_string(array.bounds[d].lower) + " to " +
                    std::to_string(array.bounds[d].upper));
    count *= n;
    if (count > kMaxElements)
      return Error::Overflow("an array of more than " + std::to_string(kMaxElements) +
                             " elements cannot cross the boundary");
  }
  if (count > 0 && array.elements == nullptr) return Broken("an array without its elements");
  return count;
}

Result<Variant> ReadScalar(const OstVariant& v) {
  switch (v.type) {
    case kOstVtEmpty:
      return Variant();
    case kOstVtInteger:
      return Variant(v.integer);
    case kOstVtLong:
      return Variant(v.long_value);
    case kOstVtSingle:
      return Variant(v.single);
    case kOstVtBoolean:
      return Variant(Boolean{v.boolean != 0});
    case kOstVtString: {
      Result<std::string> text = ReadOstString(v.string);
      if (!text) return text.error();
      return Variant(std::move(text).value());
    }
    default:
      return Broken("type " + Hex(v.type));
  }
}

// A new array of the OstArray's element type, its storage built from the elements in one pass.
Result<VArray> ReadElements(const OstArray& array, VarType element, std::vector<Bounds> dims,
                            std::size_t count) {
  auto copy = [&](auto tag) {
    using T = decltype(tag);
    const T* in = static_cast<const T*>(array.elements);
    return VArray(element, std::move(dims), std::vector<T>(in, in + count));
  };
  switch (array.element_type) {
    case kOstVtInteger:
      return copy(std::int16_t{});
    case kOstVtLong:
      return copy(std::int32_t{});
    case kOstVtSingle:
      return copy(float{});
    case kOstVtBoolean: {
      const auto* in = static_cast<const OstBool*>(array.elements);
      std::vector<unsigned char> to(count);
      for (std::size_t k = 0; k < count; ++k) to[k] = in[k] != 0 ? 1 : 0;
      return VArray(element, std::move(dims), std::move(to));
    }
    case kOstVtString: {
      const auto* in = static_cast<const OstString*>(array.elements);
      std::vector<std::string> to;
      to.reserve(count);
      for (std::size_t k = 0; k < count; ++k) {
        if (Status readable = CheckOstString(in[k]); !readable) return readable.error();
        to.emplace_back(in[k].data, static_cast<std::size_t>(in[k].length));
      }
      return VArray(element, std::move(dims), std::move(to));
    }
    default: {
      const auto* in = static_cast<const OstVariant*>(array.elements);
      std::vector<Variant> to;
      to.reserve(count);
      for (std::size_t k = 0; k < count; ++k) {
        Result<Variant> item = ReadScalar(in[k]);
        if (!item) return item.error();
        to.push_back(std::move(item).value());
      }
      return VArray(element, std::move(dims), std::move(to));
    }
  }
}

Result<Variant> ReadArray(const OstArray* array) {
  if (array == nullptr) return Broken("an array tag without an array");
  std::optional<VarType> element = OurVarType(array->element_type);
  if (!element || *element == VarType::Empty)
    return Broken("array element type " + Hex(array->element_type));
  Result<std::int64_t> count = ElementCount(*array);
  if (!count) return count.error();
  if (array->rank == 0) return Variant(VArray());
  std::vector<Bounds> dims;
  for (int d = 0; d < array->rank; ++d)
    dims.push_back(Bounds{array->bounds[d].lower, array->bounds[d].upper});
  Result<VArray> out =
      ReadElements(*array, *element, std::move(dims), static_cast<std::size_t>(*count));
  if (!out) return out.error();
  return Variant(std::move(out).value());
}

}  // namespace

Error OwnedOstErrorInfo::ToError() const {
  Result<std::string> text = ReadOstString(e_.description);
  return Error(e_.number, text ? *text : std::string());
}

OstString NewOstString(std::string_view text) {
  auto* data = static_cast<char*>(Allocate(text.size() + 1));
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  return OstString{data, static_cast<std::int32_t>(text.size())};
}

OstVariant NewOstVariant(const Variant& value) {
  if (!value.IsArray()) return NewScalar(value);
  OstVariant v{static_cast<std::uint16_t>(kOstVtArray), {}};
  v.array = NewOstArray(value.array());
  v.type = static_cast<std::uint16_t>(kOstVtArray | v.array->element_type);
  return v;
}

LentOstArguments::LentOstArguments(std::span<const Variant> values) {
  // Reserved, so never reallocated: the arguments point into arrays_, and no push can throw
  // between an argument and its lent_ entry.
  args_.reserve(values.size());
  lent_.reserve(values.size());
  arrays_.reserve(values.size());
  try {
    for (const Variant& value : values) {
      const std::optional<OstArray> lent = Lend(value);
      OstVariant arg{};
      if (lent) {
        arrays_.push_back(*lent);
        arg.type = static_cast<std::uint16_t>(kOstVtArray | lent->element_type);
        arg.array = &arrays_.back();
      } else {
        arg = NewOstVariant(value);
      }
      lent_.push_back(lent.has_value());
      args_.push_back(arg);
    }
  } catch (...) {
    Clear();
    throw;
  }
}

std::optional<OstArray> LentOstArguments::Lend(const Variant& value) {
  if (!value.IsArray() || value.array().size() == 0) return std::nullopt;
  const VArray& array = value.array();
  OstArray out = ArrayHeader(array);
  // The callee only reads an [in] value, so the storage may be handed over as it is.
  auto lend = [&](auto tag) -> std::optional<OstArray> {
    using T = decltype(tag);
    const std::span<const T> stored = array.Elements<T>();
    if (stored.size() != array.size()) return std::nullopt;
    out.elements = const_cast<T*>(stored.data());
    return out;
  };
  switch (out.element_type) {
    case kOstVtInteger:
      return lend(std::int16_t{});
    case kOstVtLong:
      return lend(std::int32_t{});
    case kOstVtSingle:
      return lend(float{});
    case kOstVtString: {
      const std::span<const std::string> stored = array.Elements<std::string>();
      if (stored.size() != array.size()) return std::nullopt;
      std::vector<OstString>& views = strings_.emplace_back();
      views.reserve(stored.size());
      for (const std::string& s : stored)
        views.push_back(
            OstString{const_cast<char*>(s.c_str()), static_cast<std::int32_t>(s.size())});
      out.elements = views.data();
      return out;
    }
    default:
      return std::nullopt;
  }
}

void LentOstArguments::Clear() {
  for (std::size_t k = 0; k < args_.size(); ++k) {
    if (!lent_[k]) OstVariantClear(&args_[k]);
  }
  args_.clear();
}

OstErrorInfo NewOstErrorInfo(const Error& error) {
  return OstErrorInfo{error.number(), NewOstString(error.message())};
}

Result<std::string> ReadOstString(const OstString& text) {
  if (Status readable = CheckOstString(text); !readable) return readable.error();
  if (text.length == 0) return std::string();
  return std::string(text.data, static_cast<std::size_t>(text.length));
}

Result<Variant> ReadOstVariant(const OstVariant& value) {
  if ((value.type & kOstVtArray) == 0) return ReadScalar(value);
  Result<Variant> array = ReadArray(value.array);
  if (array && value.array->element_type != (value.type & ~kOstVtArray))
    return Broken("an array tagged " + Hex(value.type) + " holding elements of type " +
                  Hex(value.array->element_type));
  return array;
}

std::string StatusText(OstStatus status) {
  switch (status) {
    case kOstNoInterface:
      return "the object does not offer that interface";
    case kOstPointer:
      return "a required pointer was null";
    case kOstOutOfMemory:
      return "out of memory";
    case kOstInvalidArg:
      return "an argument is not valid";
    case kOstUnknownName:
      return "unknown member name";
    case kOstMemberNotFound:
      return "no such member";
    case kOstBadParamCount:
      return "wrong number of arguments";
    case kOstNoAggregation:
      return "the class cannot be aggregated";
    case kOstClassNotAvailable:
      return "the library does not offer that class";
    case kOstClassNotRegistered:
      return "the class is not registered";
    case kOstRegistrationFailed:
      return "the component registry could not be written";
    default:
      return "status " + Hex(static_cast<std::uint32_t>(status));
  }
}

}  // namespace ostrevin
