#ifndef OSTREVIN_VALUES_ERROR_H_
#define OSTREVIN_VALUES_ERROR_H_

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace ostrevin {

// An error as the host sees it: the host's error number and a message that names the member and
// index. Functions return it inside a Result, up to the boundaries (the command, the entry
// points), which report it. It is thrown only where a call cannot return it (a message box of the
// platform), for a fault of our own code (a broken REQUIRES), and by ValueOrThrow; the entry
// points' guard catches what is thrown as well.
class Error : public std::exception {
 public:
  // The host's error numbers.
  static constexpr int kOverflow = 6;
  static constexpr int kSubscriptOutOfRange = 9;
  static constexpr int kTypeMismatch = 13;
  // Errors of our own that the host has no number for (bad files, bad usage).
  static constexpr int kInvalidInput = 0;

  Error(int number, std::string message) : number_(number), message_(std::move(message)) {}

  static Error SubscriptOutOfRange(std::string_view where) {
    return Error(kSubscriptOutOfRange, "Subscript out of range: " + std::string(where));
  }
  static Error TypeMismatch(std::string_view where) {
    return Error(kTypeMismatch, "Type mismatch: " + std::string(where));
  }
  static Error Overflow(std::string_view where) {
    return Error(kOverflow, "Overflow: " + std::string(where));
  }
  static Error InvalidInput(std::string message) {
    return Error(kInvalidInput, std::move(message));
  }

  int number() const { return number_; }
  const std::string& message() const { return message_; }
  // "error 9: Subscript out of range: XData(5001)", or the message alone without a number.
  std::string ToString() const;
  const char* what() const noexcept override { return message_.c_str(); }

  // The same error with context in front of the message ("chart.json: member XData: ...").
  Error WithContext(std::string_view context) const;

 private:
  int number_;
  std::string message_;
};

// Throws `error`; out of line, so that the paths that may throw stay small.
[[noreturn]] void ThrowError(const Error& error);

// A value or the error that prevented it (a small stand-in for C++23's std::expected).
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : v_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // The value; throws the error when there is none.
  const T& value() const& {
    if (!ok()) [[unlikely]]
      ThrowError(error());
    return *std::get_if<0>(&v_);
  }
  T& value() & {
    if (!ok()) [[unlikely]]
      ThrowError(error());
    return *std::get_if<0>(&v_);
  }
  T&& value() && {
    if (!ok()) [[unlikely]]
      ThrowError(error());
    return std::move(*std::get_if<0>(&v_));
  }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(v_); }
  // Holds `value`; false for an error.
  friend bool operator==(const Result& result, const T& value) {
    return result.ok() && result.value() == value;
  }

  // The value, or throws the error.
  T ValueOrThrow() && { return std::move(*this).value(); }

 private:
  std::variant<T, Error> v_;
};

// For operations that return nothing but may fail.
struct Ok {};
using Status = Result<Ok>;

// What `f` returns as a Status, Ok when it returns nothing: for tables of calls of both kinds.
template <class F>
Status AsStatus(F&& f) {
  if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
    f();
    return Ok{};
  } else {
    return f();
  }
}

}  // namespace ostrevin

// Returns the error of `expr`, a Result or a Status, from the enclosing function when it failed.
#define OSTREVIN_RETURN_IF_ERROR(expr)                                                     \
  do {                                                                                     \
    if (auto&& ostrevin_status = (expr); !ostrevin_status) return ostrevin_status.error(); \
  } while (false)

// `lhs = value of expr` (lhs may declare a variable), or returns the error of `expr` from the
// enclosing function when it failed. It expands to several statements; unbraced under an if or a
// loop it does not compile, as the name it declares first ends with the first statement.
#define OSTREVIN_ASSIGN_OR_RETURN(lhs, expr) \
  OSTREVIN_ASSIGN_OR_RETURN_(OSTREVIN_CONCAT_(ostrevin_result_, __LINE__), lhs, expr)
#define OSTREVIN_ASSIGN_OR_RETURN_(result, lhs, expr) \
  auto&& result = (expr);                             \
  if (!result) return result.error();                 \
  lhs = std::forward<decltype(result)>(result).value()
#define OSTREVIN_CONCAT_(a, b) OSTREVIN_CONCAT_2_(a, b)
#define OSTREVIN_CONCAT_2_(a, b) a##b

#endif  // OSTREVIN_VALUES_ERROR_H_
