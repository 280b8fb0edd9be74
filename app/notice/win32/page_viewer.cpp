#include "app/notice/win32/page_viewer.h"

#include <objbase.h>
#include <exdisp.h>

#include "app/notice/win32/page_document_source.h"
#include "platform/win32/com_ref.h"
#include "platform/win32/gbk_conversion.h"
#include "platform/win32/win32_handles.h"

namespace app {
namespace {

constexpr char kBrowserControlText[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";
// The browser engine's document object; creating one tells whether the engine is present.
constexpr CLSID kHtmlDocumentClsid = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
constexpr IID kWebBrowser2Iid = {
    0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll stays loaded for the life of the process: the hosting windows' procedure is in it.
HMODULE AtlModule() {
  static HMODULE module = LoadLibraryA("atl.dll");
  return module;
}

bool BrowserEngineAvailable() {
  platform::ComRef<IUnknown> document;
  return SUCCEEDED(CoCreateInstance(kHtmlDocumentClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                    document.OutVoid())) &&
         static_cast<bool>(document);
}

// The hosted control's IWebBrowser2, or empty.
platform::ComRef<IWebBrowser2> WebBrowserOf(HWND host) {
  HMODULE atl = AtlModule();
  if (atl == nullptr) return {};
  auto getControl =
      reinterpret_cast<AtlAxGetControlFn>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
  if (getControl == nullptr) return {};
  platform::ComRef<IUnknown> control;
  if (FAILED(getControl(host, control.Out())) || !control) return {};
  return control.As<IWebBrowser2>(kWebBrowser2Iid);
}

HWND CreateHostedBrowser(HWND parent, int x, int y, int width, int height, int controlId) {
  if (!BrowserEngineAvailable()) return nullptr;
  HMODULE atl = AtlModule();
  if (atl == nullptr) return nullptr;
  auto init = reinterpret_cast<AtlAxWinInitFn>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  if (init == nullptr || !init()) return nullptr;
  HWND host = CreateWindowExA(0, "AtlAxWin", kBrowserControlText,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              GetModuleHandleA(nullptr), nullptr);
  if (host == nullptr) return nullptr;
  const auto browser = WebBrowserOf(host);
  if (!browser) {
    DestroyWindow(host);
    return nullptr;
  }
  browser->put_Silent(VARIANT_TRUE);  // script errors of the page must not pop up dialogs
  return host;
}

bool RegisterOwnViewerClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnViewerClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

HWND CreateOwnViewer(HWND parent, int x, int y, int width, int height, int controlId) {
  if (!RegisterOwnViewerClass()) return nullptr;
  return CreateWindowExW(0, kOwnViewerClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width,
                         height,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                         GetModuleHandleW(nullptr), nullptr);
}

using platform::WideOfGbk;

}  // namespace

HWND CreatePageViewer(HWND parent, int x, int y, int width, int height, int controlId) {
  if (HWND hosted = CreateHostedBrowser(parent, x, y, width, height, controlId)) return hosted;
  return CreateOwnViewer(parent, x, y, width, height, controlId);
}

void NavigatePageViewer(HWND viewer, const std::string& url) {
  const std::wstring wideUrl = WideOfGbk(url);
  if (IsOwnViewer(platform::FromHwnd(viewer))) {
    SetWindowTextW(viewer, wideUrl.c_str());
    return;
  }
  const auto browser = WebBrowserOf(viewer);
  if (!browser) return;
  platform::BstrHolder address(wideUrl);
  VARIANT empty;
  VariantInit(&empty);
  browser->Navigate(address.Get(), &empty, &empty, &empty, &empty);
}

}  // namespace app
