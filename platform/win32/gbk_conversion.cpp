#include "platform/win32/gbk_conversion.h"

#include <windows.h>

namespace platform {

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring WideOfCodePage(unsigned codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int units = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring out(static_cast<size_t>(units), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), units);
  return out;
}

std::string GbkOfWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int bytes =
      ::WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace platform
