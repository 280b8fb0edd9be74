#include "app/notice/win32/page_document_source.h"

#include <windows.h>
#include <objbase.h>

#include "app/notice/notice_address.h"
#include "app/notice/page_charset.h"
#include "automation/file_access.h"
#include "automation/win32/html_engine_document.h"
#include "app/notice/html_page_document.h"
#include "app/notice/html_reader.h"
#include "platform/win32/gbk_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace app {
namespace {

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
  // Others may rewrite or replace the page while it is read; the reader takes no more than it can.
  const automation::FileReadResult read =
      automation::ReadWholeFile(platform::Win32Platform().system, *path, app::kMaxHtmlBytes,
                                automation::Sharing::kReadWriteDelete, automation::OverLimit::kCut);
  if (read.status != automation::FileReadStatus::kRead) return nullptr;
  const std::string bytes(read.bytes.begin(), read.bytes.end());
  return std::make_unique<app::HtmlPageDocument>(PageTextAsGbk(bytes));
}

}  // namespace app
