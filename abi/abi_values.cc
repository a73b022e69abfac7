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

OstArray* NewOstArray(const VArray& array) {
  auto* out = static_cast<OstArray*>(Allocate(sizeof(OstArray)));
  *out = OstArray{AbiVarType(array.element_type()),
                  static_cast<std::uint16_t>(array.rank()),
                  {{0, -1}, {0, -1}},
                  nullptr};
  for (int d = 0; d < array.rank(); ++d)
    out->bounds[d] = OstBounds{array.bounds(d).lower, array.bounds(d).upper};
  const std::size_t n = array.size();
  if (n == 0) return out;
  try {
    out->elements = Allocate(n * ElementSize(out->element_type));
    // Zeroed, so that a failure half way releases only what was written.
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

// Fills a new array's storage from the elements of an OstArray of the same element type.
Status ReadElements(const OstArray& array, VArray& out) {
  auto copy = [&](auto tag) {
    using T = decltype(tag);
    std::span<T> to = out.MutableElements<T>();
    std::copy_n(static_cast<const T*>(array.elements), to.size(), to.begin());
  };
  switch (array.element_type) {
    case kOstVtInteger:
      copy(std::int16_t{});
      return Ok{};
    case kOstVtLong:
      copy(std::int32_t{});
      return Ok{};
    case kOstVtSingle:
      copy(float{});
      return Ok{};
    case kOstVtBoolean: {
      std::span<unsigned char> to = out.MutableElements<unsigned char>();
      for (std::size_t k = 0; k < to.size(); ++k)
        to[k] = static_cast<const OstBool*>(array.elements)[k] != 0 ? 1 : 0;
      return Ok{};
    }
    case kOstVtString: {
      std::span<std::string> to = out.MutableElements<std::string>();
      for (std::size_t k = 0; k < to.size(); ++k) {
        Result<std::string> text = ReadOstString(static_cast<const OstString*>(array.elements)[k]);
        if (!text) return text.error();
        to[k] = std::move(text).value();
      }
      return Ok{};
    }
    default: {
      std::span<Variant> to = out.MutableElements<Variant>();
      for (std::size_t k = 0; k < to.size(); ++k) {
        Result<Variant> item = ReadScalar(static_cast<const OstVariant*>(array.elements)[k]);
        if (!item) return item.error();
        to[k] = std::move(item).value();
      }
      return Ok{};
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
  VArray out(*element, std::move(dims));
  if (Status read = ReadElements(*array, out); !read) return read.error();
  return Variant(std::move(out));
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

OstErrorInfo NewOstErrorInfo(const Error& error) {
  return OstErrorInfo{error.number(), NewOstString(error.message())};
}

Result<std::string> ReadOstString(const OstString& text) {
  if (text.length < 0) return Broken("a string of length " + std::to_string(text.length));
  if (text.length > 0 && text.data == nullptr) return Broken("a string without its bytes");
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
