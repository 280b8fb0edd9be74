#pragma once
// UTF-16 literals for the wide Win32 calls (wchar_t is UTF-16 on Windows).
#include <windows.h>

#include <string>

namespace standin {

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace standin
