#pragma once
// Owners of COM references and BSTRs: each releases what it holds when it goes out of scope,
// so no code path calls Release or SysFreeString by hand.
#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

namespace platform {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* p) : p_(p) {}  // takes over a reference the caller already holds
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }

  // Where a creating call writes the new reference; whatever was held is released first.
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // The same object asked for another interface; empty when it has none.
  template <typename U>
  ComRef<U> As(const IID& iid) const {
    ComRef<U> other;
    if (p_ != nullptr && FAILED(p_->QueryInterface(iid, other.OutVoid()))) return ComRef<U>();
    return other;
  }

 private:
  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  T* p_ = nullptr;
};

class BstrHolder {
 public:
  BstrHolder() = default;
  explicit BstrHolder(std::wstring_view text)
      : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~BstrHolder() { SysFreeString(s_); }
  BstrHolder(const BstrHolder&) = delete;
  BstrHolder& operator=(const BstrHolder&) = delete;
  BSTR* Out() {
    SysFreeString(std::exchange(s_, nullptr));
    return &s_;
  }
  BSTR Get() const { return s_; }

 private:
  BSTR s_ = nullptr;
};

}  // namespace platform
