#ifndef OSTREVIN_CLIENT_COM_PTR_H_
#define OSTREVIN_CLIENT_COM_PTR_H_

#include <utility>

#include "abi/ostrevin_abi.h"

namespace ostrevin {

// Holds one reference to an interface of a library object and releases it when destroyed.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds (a pointer handed out AddRef'd).
  static ComPtr Adopt(T* pointer) {
    ComPtr held;
    held.p_ = pointer;
    return held;
  }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  // The slot a function that hands out an interface fills; releases what was held.
  T** Receive() {
    Reset();
    return &p_;
  }

  // Another interface of the same object, or an empty pointer when it does not offer it.
  template <class U>
  ComPtr<U> As() const {
    void* other = nullptr;
    if (p_ == nullptr || !OstSucceeded(p_->QueryInterface(U::kIid, &other)) || other == nullptr)
      return ComPtr<U>();
    return ComPtr<U>::Adopt(static_cast<U*>(other));
  }

 private:
  T* p_ = nullptr;
};

}  // namespace ostrevin

#endif  // OSTREVIN_CLIENT_COM_PTR_H_
