#pragma once
// Conversions between the seam's 32-bit values and the platform's handle types.
#include <windows.h>

#include "platform/types.h"

namespace platform {

inline HWND ToHwnd(Hwnd window) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(window)); }
inline Hwnd FromHwnd(HWND window) {
  return static_cast<Hwnd>(reinterpret_cast<uintptr_t>(window));
}
inline HANDLE ToHandle(Handle h) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(h)); }
inline Handle FromHandle(HANDLE h) { return static_cast<Handle>(reinterpret_cast<uintptr_t>(h)); }

}  // namespace platform
