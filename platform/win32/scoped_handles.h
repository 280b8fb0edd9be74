#pragma once
// Owners of kernel and GDI handles: each gives back what it holds when it goes out of scope,
// in the way the platform asks for that kind of handle.
#include <windows.h>

#include <utility>

namespace platform {

template <typename T, typename Traits>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(T handle) : handle_(handle) {}  // takes over `handle`
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Take()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Take());
    return *this;
  }

  T Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  // Gives up ownership without closing.
  T Take() { return std::exchange(handle_, Traits::Empty()); }
  // Closes what is held and takes over `handle`.
  void Reset(T handle = Traits::Empty()) {
    const T old = std::exchange(handle_, handle);
    if (Traits::IsValid(old)) Traits::Close(old);
  }
  // Where a creating call writes the new handle; whatever was held is closed first.
  T* Out() {
    Reset();
    return &handle_;
  }

 private:
  T handle_ = Traits::Empty();
};

// Kernel objects: processes, threads, pipes, files. Both "no handle" values of the platform
// count as empty (CreateFile answers INVALID_HANDLE_VALUE, most others null).
struct KernelHandleTraits {
  static HANDLE Empty() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueHandle = ScopedHandle<HANDLE, KernelHandleTraits>;

template <typename G>
struct GdiObjectTraits {
  static G Empty() { return nullptr; }
  static bool IsValid(G g) { return g != nullptr; }
  static void Close(G g) { ::DeleteObject(g); }
};
using UniqueBitmap = ScopedHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = ScopedHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = ScopedHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;

// Device contexts made with CreateCompatibleDC.
struct MemoryDcTraits {
  static HDC Empty() { return nullptr; }
  static bool IsValid(HDC dc) { return dc != nullptr; }
  static void Close(HDC dc) { ::DeleteDC(dc); }
};
using UniqueMemoryDc = ScopedHandle<HDC, MemoryDcTraits>;

// A window's device context (the screen's for a null window), from GetDC to ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context; the earlier selection comes back at scope exit.
class DcSelection {
 public:
  DcSelection() = default;
  DcSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~DcSelection() { Restore(); }
  DcSelection(const DcSelection&) = delete;
  DcSelection& operator=(const DcSelection&) = delete;
  DcSelection(DcSelection&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  DcSelection& operator=(DcSelection&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
  void Restore() {
    if (*this) ::SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace platform
