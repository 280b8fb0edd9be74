#include "app/win32/main_window.h"

#include <commctrl.h>

#include <cstring>

#include "app/win32/control_painting.h"
#include "app/win32/control_styles.h"
#include "app/win32/form_keys.h"
#include "app/win32/picture_bitmap.h"
#include "app/notice/win32/page_viewer.h"
#include "banner_picture.h"
#include "refresh_picture.h"
#include "workflow/form.h"

namespace app {
namespace {

constexpr int kIconResource = 1;

std::string_view PictureFile(Picture picture) {
  switch (picture) {
    case Picture::kBanner:
      return resources::BannerPng();
    case Picture::kRefresh:
      return resources::RefreshJpeg();
    default:
      return {};
  }
}

HICON LoadProgramIcon(HINSTANCE instance, int sizeMetric) {
  const int size = GetSystemMetrics(sizeMetric);
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                       size, size, LR_SHARED));
}

void SetupListView(HWND list, const ControlSpec& spec) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP,
               LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  const COLORREF white = RGB(255, 255, 255);
  SendMessageA(list, LVM_SETBKCOLOR, 0, white);
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, white);
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(spec.colour.r, spec.colour.g, spec.colour.b));
  int column = 0;
  for (const ListColumn& entry : MicrocodeListColumns()) {
    std::string header(entry.header);
    LVCOLUMNA record{};
    record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    record.fmt = LVCFMT_LEFT;
    record.cx = entry.width;
    record.pszText = header.data();
    record.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&record));
    ++column;
  }
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  ReleaseResources();
}

bool MainWindow::Create(HINSTANCE instance, FormHandlers handlers) {
  handlers_ = std::move(handlers);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadProgramIcon(instance, SM_CXICON);
  windowClass.hIconSm = LoadProgramIcon(instance, SM_CXSMICON);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  const MainWindowSpec& layout = MainWindowLayout();
  const int left = workflow::CentredCoordinate(GetSystemMetrics(SM_CXSCREEN), layout.width);
  const int top = workflow::CentredCoordinate(GetSystemMetrics(SM_CYSCREEN), layout.height);
  const std::string title(layout.title);
  // Fixed border, caption with system menu and minimise box; no maximise, no sizing.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (!CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kMainWindowClass, title.c_str(), style,
                       left, top, layout.width, layout.height, nullptr, nullptr, instance, this)) {
    return false;
  }
  whiteBrush_.Reset(CreateSolidBrush(RGB(255, 255, 255)));
  handCursor_ = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  if (!CreateControls(instance)) {
    DestroyWindow(window_);
    return false;
  }
  ApplyStacking();
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (handlers_.created) handlers_.created();
  return window_ != nullptr;
}

void MainWindow::Show() {
  if (!window_) return;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

bool MainWindow::PreTranslate(MSG* message) { return HandleFormKey(window_, message); }

bool MainWindow::CreateControls(HINSTANCE instance) {
  const auto table = ControlTable();
  controls_.assign(table.size(), nullptr);
  pictures_.clear();
  pictures_.resize(table.size());
  intervals_.assign(table.size(), 0);
  for (size_t i = 0; i < table.size(); ++i) {
    const ControlSpec& spec = table[i];
    if (!HasWindow(spec.kind)) continue;
    HWND parent = window_;
    if (!spec.parent.empty()) {
      const int parentIndex = IndexOf(spec.parent);
      if (parentIndex < 0 || !controls_[parentIndex]) return false;
      parent = controls_[parentIndex];
    }
    controls_[i] = CreateControl(instance, i, parent);
    if (!controls_[i]) return false;
  }
  return true;
}

HWND MainWindow::CreateControl(HINSTANCE instance, size_t index, HWND parent) {
  const ControlSpec& spec = ControlTable()[index];
  const int id = kFirstControlId + static_cast<int>(index);
  HWND control = nullptr;
  if (spec.kind == ControlKind::kPageViewer) {
    control = CreatePageViewer(parent, spec.x, spec.y, spec.width, spec.height, id);
  } else {
    const ControlStyle style = StyleOf(spec.kind);
    const std::string text(spec.text);
    control = CreateWindowExA(style.exStyle, style.className, text.c_str(), FullStyleOf(spec.kind),
                              spec.x, spec.y, spec.width, spec.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  }
  if (!control) return nullptr;
  HFONT font = spec.font ? FontFor(spec.font) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  switch (spec.kind) {
    case ControlKind::kEditLine:
    case ControlKind::kEditMulti:
      SendMessageA(control, EM_LIMITTEXT, 0, 0);  // no limit
      break;
    case ControlKind::kListView:
      SetupListView(control, spec);
      break;
    default:
      break;
  }
  const bool wantsMessages = IsContainer(spec.kind) ||
                             (spec.kind == ControlKind::kPictureBox && spec.event != FormEvent::kNone);
  if (wantsMessages) {
    SetWindowSubclass(control, ControlProc, index, reinterpret_cast<DWORD_PTR>(this));
  }
  if (spec.picture != Picture::kNone) {
    controls_[index] = control;  // SetPicture looks the control up
    DecodedPicture decoded = DecodePicture(PictureFile(spec.picture));
    if (decoded.ok) SetPicture(spec.name, decoded.picture);
  }
  return control;
}

void MainWindow::ApplyStacking() {
  const auto table = ControlTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].stackAbove.empty() || !controls_[i]) continue;
    const int below = IndexOf(table[i].stackAbove);
    if (below < 0 || !controls_[below]) continue;
    // SetWindowPos puts a window behind its insert-after window: behind the one that is
    // directly above `below` means directly above `below`.
    HWND above = GetWindow(controls_[below], GW_HWNDPREV);
    SetWindowPos(controls_[i], above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HFONT MainWindow::FontFor(const FontSpec* spec) {
  for (const auto& [known, font] : fonts_) {
    if (known == spec) return font.Get();
  }
  LOGFONTA logFont{};
  logFont.lfHeight = -spec->pixelHeight;
  logFont.lfWeight = spec->weight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = PROOF_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const size_t length = std::min(spec->face.size(), sizeof logFont.lfFaceName - 1);
  std::memcpy(logFont.lfFaceName, spec->face.data(), length);
  HFONT font = CreateFontIndirectA(&logFont);
  fonts_.emplace_back(spec, platform::UniqueFont(font));
  return font;
}

int MainWindow::IndexOf(std::string_view name) const {
  const auto table = ControlTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int MainWindow::IndexOfWindow(HWND control) const {
  if (!control) return -1;
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == control) return static_cast<int>(i);
  }
  return -1;
}

HWND MainWindow::ControlHandle(std::string_view name) const {
  const int index = IndexOf(name);
  if (index < 0 || static_cast<size_t>(index) >= controls_.size()) return nullptr;
  return controls_[index];
}

bool MainWindow::SetPicture(std::string_view name, const RgbaPicture& picture) {
  const int index = IndexOf(name);
  if (index < 0 || static_cast<size_t>(index) >= controls_.size() || !controls_[index] ||
      ControlTable()[index].kind != ControlKind::kPictureBox) {
    return false;
  }
  platform::UniqueBitmap bitmap(CreatePictureBitmap(picture, GetSysColor(COLOR_BTNFACE)));
  if (!bitmap) return false;
  pictures_[index] = std::move(bitmap);
  InvalidateRect(controls_[index], nullptr, FALSE);
  return true;
}

void MainWindow::SetTimerInterval(std::string_view name, int milliseconds) {
  const int index = IndexOf(name);
  if (index < 0 || !window_ || ControlTable()[index].kind != ControlKind::kTimer) return;
  const IntervalChange change = DecideIntervalChange(intervals_[index], milliseconds);
  const UINT_PTR id = static_cast<UINT_PTR>(kFirstControlId + index);
  if (change.stop) KillTimer(window_, id);
  if (change.start) SetTimer(window_, id, static_cast<UINT>(change.interval), nullptr);
  intervals_[index] = change.interval;
}

int MainWindow::TimerInterval(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 || static_cast<size_t>(index) >= intervals_.size() ? 0 : intervals_[index];
}

void MainWindow::Raise(FormEvent event) {
  if (handlers_.event) handlers_.event(event);
}

void MainWindow::ReleaseResources() {
  for (platform::UniqueBitmap& bitmap : pictures_) bitmap.Reset();
  fonts_.clear();
  whiteBrush_.Reset();
  controls_.assign(controls_.size(), nullptr);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || self->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto table = ControlTable();
  switch (message) {
    case WM_COMMAND: {
      const int index = ControlIndexOfId(LOWORD(wParam));
      if (HIWORD(wParam) == BN_CLICKED && index >= 0 && table[index].kind == ControlKind::kButton) {
        Raise(table[index].event);
      }
      return 0;
    }
    case WM_TIMER: {
      const int index = ControlIndexOfId(static_cast<int>(wParam));
      if (index >= 0 && table[index].kind == ControlKind::kTimer) {
        Raise(table[index].event);
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int index = IndexOfWindow(item->hwndItem);
      if (index < 0) break;
      const ControlSpec& spec = table[index];
      if (spec.kind == ControlKind::kPictureBox) {
        DrawPictureBox(*item, pictures_[index].Get());
      } else {
        DrawLabel(*item, spec, spec.font ? FontFor(spec.font) : nullptr);
      }
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const int index = IndexOfWindow(reinterpret_cast<HWND>(lParam));
      const bool edit = index >= 0 && (table[index].kind == ControlKind::kEditLine ||
                                       table[index].kind == ControlKind::kEditMulti);
      if (edit || message == WM_CTLCOLOREDIT) {
        // Black on white, also while disabled.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(whiteBrush_.Get());
      }
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(FormBackgroundBrush());
    }
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(FormBackgroundBrush());
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      // Like a dialog: the focus goes back to the control that had it, else to the first Tab
      // stop.
      HWND target = lastFocus_;
      if (!target || !IsChild(window_, target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
      }
      if (target) SetFocus(target);
      return 0;
    }
    case WM_CLOSE:
      if (handlers_.mayClose && !handlers_.mayClose()) return 0;
      break;
    case WM_DESTROY:
      for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].kind == ControlKind::kTimer) SetTimerInterval(table[i].name, 0);
      }
      if (handlers_.destroying) handlers_.destroying();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      ReleaseResources();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR index, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, ControlProc, index);
    return DefSubclassProc(control, message, wParam, lParam);
  }
  return reinterpret_cast<MainWindow*>(self)->HandleControlMessage(index, control, message,
                                                                   wParam, lParam);
}

LRESULT MainWindow::HandleControlMessage(size_t index, HWND control, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  const ControlSpec& spec = ControlTable()[index];
  if (IsContainer(spec.kind)) {
    switch (message) {
      // Child controls report to their parent; the main window handles them all.
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_DRAWITEM:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORBTN:
        return window_ ? SendMessageA(window_, message, wParam, lParam) : 0;
      case WM_NCHITTEST:
        // A group box is hit-transparent by default; its children must still get the mouse.
        return HTCLIENT;
      case WM_ERASEBKGND: {
        RECT box;
        GetClientRect(control, &box);
        FillRect(reinterpret_cast<HDC>(wParam), &box, FormBackgroundBrush());
        return 1;
      }
      case WM_PAINT:
        if (spec.kind == ControlKind::kFrame) {
          PAINTSTRUCT paint;
          HDC dc = BeginPaint(control, &paint);
          PaintFrame(control, dc);
          EndPaint(control, &paint);
          return 0;
        }
        break;
      case WM_PRINTCLIENT:
        if (spec.kind == ControlKind::kFrame) {
          PaintFrame(control, reinterpret_cast<HDC>(wParam));
          return 0;
        }
        break;
      default:
        break;
    }
  } else if (spec.kind == ControlKind::kPictureBox) {
    switch (message) {
      case WM_LBUTTONDOWN:
        Raise(spec.event);  // position and modifier keys do not matter
        return 0;
      case WM_SETCURSOR:
        SetCursor(handCursor_);
        return TRUE;
      default:
        break;
    }
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace app
