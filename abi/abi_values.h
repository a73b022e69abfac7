#ifndef OSTREVIN_ABI_ABI_VALUES_H_
#define OSTREVIN_ABI_ABI_VALUES_H_

// Values and errors across the library boundary: Variant and Error on our side, OstVariant and
// OstErrorInfo (abi/ostrevin_abi.h) on the boundary. Both the library and the host use
// these, so the two sides agree on every layout rule.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "abi/ostrevin_abi.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// An [out] OstVariant that clears itself; for code that receives values across the boundary.
class OwnedOstVariant {
 public:
  OwnedOstVariant() : v_{kOstVtEmpty, {}} {}
  ~OwnedOstVariant() { OstVariantClear(&v_); }
  OwnedOstVariant(const OwnedOstVariant&) = delete;
  OwnedOstVariant& operator=(const OwnedOstVariant&) = delete;

  OstVariant* get() { return &v_; }
  const OstVariant& operator*() const { return v_; }

 private:
  OstVariant v_;
};

// The same for strings and error descriptions.
class OwnedOstString {
 public:
  OwnedOstString() = default;
  ~OwnedOstString() { OstStringClear(&s_); }
  OwnedOstString(const OwnedOstString&) = delete;
  OwnedOstString& operator=(const OwnedOstString&) = delete;

  OstString* get() { return &s_; }
  std::string str() const {
    return s_.data == nullptr ? std::string()
                              : std::string(s_.data, static_cast<std::size_t>(s_.length));
  }

 private:
  OstString s_{nullptr, 0};
};

class OwnedOstErrorInfo {
 public:
  OwnedOstErrorInfo() = default;
  ~OwnedOstErrorInfo() { OstErrorInfoClear(&e_); }
  OwnedOstErrorInfo(const OwnedOstErrorInfo&) = delete;
  OwnedOstErrorInfo& operator=(const OwnedOstErrorInfo&) = delete;

  OstErrorInfo* get() { return &e_; }
  // The error as our side knows it; a description that is missing or broken reads as empty.
  Error ToError() const;

 private:
  OstErrorInfo e_{0, {nullptr, 0}};
};

// The boundary's type tag of one of our types, and back (nullopt for tags we do not know, and
// for kOstVtArray).
OstVarType AbiVarType(VarType type);
std::optional<VarType> OurVarType(std::uint16_t type);

// A malloc'd copy of the text. Throws std::bad_alloc when malloc fails.
OstString NewOstString(std::string_view text);

// A malloc'd copy of the value (see 6. of the boundary's conventions). Throws std::bad_alloc.
OstVariant NewOstVariant(const Variant& value);

// The [in] arguments of one call across the boundary, made from our values. Integer, Long and
// Single arrays lend their storage and String arrays views of their strings, since the callee
// only reads an [in] value and copies what it keeps; the rest is copied. The values must outlive
// the call and stay unchanged. Throws std::bad_alloc.
class LentOstArguments {
 public:
  explicit LentOstArguments(std::span<const Variant> values);
  ~LentOstArguments() { Clear(); }
  LentOstArguments(const LentOstArguments&) = delete;
  LentOstArguments& operator=(const LentOstArguments&) = delete;

  const OstVariant* data() const { return args_.data(); }
  std::int32_t size() const { return static_cast<std::int32_t>(args_.size()); }

 private:
  std::optional<OstArray> Lend(const Variant& value);
  void Clear();

  std::vector<OstVariant> args_;
  std::vector<bool> lent_;        // by argument
  std::vector<OstArray> arrays_;  // the lent arrays' headers
  std::vector<std::vector<OstString>> strings_;
};

// The error as an OstErrorInfo, its description malloc'd. Throws std::bad_alloc.
OstErrorInfo NewOstErrorInfo(const Error& error);

// The text of a string from the other side. Error 13 when its layout is broken (a negative
// length, or no bytes for a non-zero length).
Result<std::string> ReadOstString(const OstString& text);

// The value of a variant from the other side, checked: an unknown type tag, a broken array
// (rank above 2, bounds that do not describe a size, missing elements, an array inside a
// Variant array) or a broken string is error 13, never a crash.
Result<Variant> ReadOstVariant(const OstVariant& value);

// A message for a status code that comes without an error description.
std::string StatusText(OstStatus status);

}  // namespace ostrevin

#endif  // OSTREVIN_ABI_ABI_VALUES_H_
