#include "app/notice/win32/page_document_source.h"

#include <windows.h>
#include <objbase.h>

#include "app/notice/notice_address.h"
#include "app/notice/page_charset.h"
#include "automation/win32/html_engine_document.h"
#include "automation/html_page_document.h"
#include "automation/html_reader.h"
#include "platform/win32/gbk_conversion.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_handles.h"

namespace app {
namespace {

constexpr UINT kGbkCodePage = 936;

using platform::GbkOfWide;
using platform::WideOfCodePage;

// The address the program's own viewer was pointed at, as GBK text.
std::string AddressOfOwnViewer(HWND viewer) {
  const int length = GetWindowTextLengthW(viewer);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(viewer, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return GbkOfWide(text);
}

}  // namespace

bool IsOwnViewer(platform::Hwnd window) {
  wchar_t name[64] = {};
  return GetClassNameW(platform::ToHwnd(window), name, 64) > 0 &&
         lstrcmpW(name, kOwnViewerClass) == 0;
}

std::optional<std::string> ReadLocalFile(const std::string& path) {
  const std::wstring widePath = WideOfCodePage(kGbkCodePage, path);
  if (widePath.empty()) return std::nullopt;
  // Others may rewrite or replace the page while it is read.
  const platform::UniqueHandle file(
      CreateFileW(widePath.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  bool ok = true;
  while (bytes.size() < automation::kMaxHtmlBytes) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  if (!ok) return std::nullopt;
  if (bytes.size() > automation::kMaxHtmlBytes) bytes.resize(automation::kMaxHtmlBytes);
  return bytes;
}

std::string PageTextAsGbk(std::string_view bytes) {
  const PageEncoding encoding = DetectPageEncoding(bytes);
  bytes.remove_prefix(encoding.bomBytes);
  if (encoding.charset == PageCharset::kGbk) return std::string(bytes);
  return GbkOfWide(WideOfCodePage(CP_UTF8, bytes));
}

PageDocumentSource::PageDocumentSource() {
  const HRESULT result = CoInitialize(nullptr);
  comInitialised_ = SUCCEEDED(result);  // S_FALSE (already initialised) is paired as well
}

PageDocumentSource::~PageDocumentSource() {
  if (comInitialised_) CoUninitialize();
}

std::unique_ptr<automation::PageDocument> PageDocumentSource::FromRenderingWindow(
    platform::Hwnd server) {
  return automation::EngineDocumentOfWindow(server);
}

std::unique_ptr<automation::PageDocument> PageDocumentSource::FromViewerWindow(
    platform::Hwnd viewer) {
  const HWND window = platform::ToHwnd(viewer);
  if (!IsOwnViewer(viewer)) return nullptr;  // an engine's viewer whose page is not there yet
  const std::optional<std::string> path = LocalPathOfAddress(AddressOfOwnViewer(window));
  if (!path) return nullptr;  // remote pages need the engine
  const std::optional<std::string> bytes = ReadLocalFile(*path);
  if (!bytes) return nullptr;
  return std::make_unique<automation::HtmlPageDocument>(PageTextAsGbk(*bytes));
}

}  // namespace app
