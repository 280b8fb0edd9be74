#include "standins/coffeetime/patcher_window.h"

#include <windowsx.h>

#include "imaging/label_templates.h"
#include "standins/coffeetime/own_art.h"
#include "standins/coffeetime/patcher_edits.h"
#include "standins/coffeetime/save_dialog.h"
#include "standins/coffeetime/wide_files.h"
#include "standins/coffeetime/wide_text.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

constexpr UINT_PTR kLateWriteTimer = 1;
constexpr UINT_PTR kSaveDialogTimer = 2;
constexpr UINT_PTR kLatePaintTimer = 3;
// Posted to itself at the end of the apply's busy phase: the table shows the new set only when
// the queue gets to it, after any message sent meanwhile (a capture) has been answered.
constexpr UINT kApplyDone = WM_APP + 1;
constexpr COLORREF kBackground = RGB(240, 240, 240);
constexpr COLORREF kText = RGB(30, 30, 30);

// A busy GUI thread: no messages are taken while it sleeps, so the window stops answering.
void BusyFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) Sleep(50);
}

// Busy with input, as a program that works while it keeps serving messages sent to it (a
// capture, an icon change): those get their answer at once, from the window as it was; posted
// clicks and characters still wait.
void BusyServingSentMessages(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(10);
  }
}

[[noreturn]] void HangForever() {
  for (;;) Sleep(1000);
}

std::u16string Utf16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string VersionText(const MeVersion& v) {
  return Utf16(std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
               std::to_string(v.hotfix) + "." + std::to_string(v.build));
}

void Text(HDC dc, int x, int y, const std::u16string& text) {
  TextOutW(dc, x, y, Wide(text), int(text.size()));
}

void Box(HDC dc, RECT r, COLORREF border) {
  HPEN pen = CreatePen(PS_SOLID, 1, border);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace

PatcherWindow::PatcherWindow(HINSTANCE instance, FaultModes faults, MessageObserver observe)
    : instance_(instance), faults_(faults), observe_(std::move(observe)) {
  // Labels in table order; every other one is drawn in its fallback rendering.
  const auto& labels = imaging::MicrocodeLabels();
  for (size_t i = 0; i < labels.size(); ++i) {
    const uint32_t cpuid = ParseCpuid(labels[i].cpuid);
    labelArt_[cpuid] =
        MakeLabelArt(i % 2 == 0 ? labels[i].primary : labels[i].fallback, 0x9E3779B9u + cpuid);
  }
  enabledArt_ = MakeLabelArt(imaging::MeEnabledLabel(), 0x1234567u);
}

PatcherWindow::~PatcherWindow() {
  if (window_) DestroyWindow(window_);
}

bool PatcherWindow::Create(int showCommand) {
  WNDCLASSW cls{};
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = Proc;
  cls.hInstance = instance_;
  cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.lpszClassName = Wide(kPatcherClass);
  if (!RegisterClassW(&cls)) return false;
  window_ = CreateWindowExW(0, Wide(kPatcherClass), Wide(kStartTitle),
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kWindowLeft,
                            kWindowTop, kWindowWidth, kStartHeight, nullptr, nullptr, instance_,
                            this);
  if (!window_) return false;
  layoutShownAt_ = GetTickCount();
  ShowWindow(window_, showCommand);
  return true;
}

LRESULT CALLBACK PatcherWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<PatcherWindow*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<PatcherWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT PatcherWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      // A press posted before the loaded image was shown was aimed at the start window.
      if (LONG(GetMessageTime() - layoutShownAt_) < 0) {
        model_.pressedAt.reset();
        return 0;
      }
      HandlePress(model_, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP: {
      const ClientPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (HandleRelease(model_, point)) OnClick(point);
      return 0;
    }
    case WM_CHAR:
      HandleChar(model_, char16_t(wParam));
      Redraw();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole client area
    case WM_SHOWWINDOW:
      // Sent while the window is still hidden: from here on it is drawn plain.
      if (wParam && !IsWindowVisible(window_)) StartPlainPaint();
      break;
    case WM_WINDOWPOSCHANGED:
      // Shown at last (the platform may take a while to map it): the plain time counts from now.
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) StartPlainPaint();
      break;
    case kApplyDone:
      Apply(pendingApply_);
      Redraw();
      return 0;
    case WM_TIMER:
      KillTimer(window_, wParam);
      if (wParam == kLateWriteTimer) {
        WriteWholeFile(pendingPath_, pendingBytes_);
        pendingBytes_.clear();
      } else if (wParam == kSaveDialogTimer) {
        RunSave();
      } else if (wParam == kLatePaintTimer) {
        plainPaint_ = false;
        Redraw();
      }
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void PatcherWindow::OnClick(ClientPoint point) {
  const ClickOutcome outcome = HandleClick(model_, point);
  switch (outcome.action) {
    case ClickAction::kLoad: Load(); break;
    case ClickAction::kFlashMe: FlashMe(); break;
    case ClickAction::kMeOff:
      status_ = SwitchMeOff(image_, faults_) ? u"ME switched off" : u"ME state unchanged";
      BusyFor(kMeSwitchBusyMs);
      break;
    case ClickAction::kUnlocked:
      status_ = u"Microcode editing unlocked";
      BusyFor(kUnlockBusyMs);
      break;
    case ClickAction::kToggle: BusyFor(kTickBusyMs); break;
    case ClickAction::kApply:
      status_ = u"Applying...";
      pendingApply_ = outcome;
      BusyServingSentMessages(kApplyBusyMs);
      PostMessageW(window_, kApplyDone, 0, 0);
      break;
    case ClickAction::kOpenSave: OpenSave(); break;
    default: break;
  }
  Redraw();
}

void PatcherWindow::Load() {
  if (faults_.Has(FaultMode::kExitAbruptly)) ExitProcess(3);
  Bytes bytes;
  const FileStatus read = ReadWholeFile(model_.path, kMaxImageSize, bytes);
  const ParseResult parsed = read == FileStatus::kOk ? ParseImage(bytes) : ParseResult{};
  if (faults_.Has(FaultMode::kRejectAll) || read != FileStatus::kOk || !parsed.ok()) {
    // Rejected: the window stays as it is and keeps answering.
    status_ = read != FileStatus::kOk ? u"Cannot read the file"
              : parsed.ok()           ? u"File refused"
                                      : u"Not a BIOS image: " + Utf16(DescribeError(parsed.error));
    return;
  }
  model_.phase = PatcherPhase::kLoading;
  status_ = u"Loading...";
  // The title names the file at once; the window keeps its height until the load is done.
  if (!faults_.Has(FaultMode::kNeverFinishLoad)) {
    SetWindowTextW(window_, Wide(kLoadedTitlePrefix + FileNameOf(model_.path)));
  }
  BusyFor(kLoadBusyMs);
  if (faults_.Has(FaultMode::kNeverFinishLoad)) return;
  image_ = std::move(bytes);
  model_.phase = PatcherPhase::kLoaded;
  status_.clear();
  SetWindowPos(window_, nullptr, 0, 0, kWindowWidth, kLoadedHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layoutShownAt_ = GetTickCount();
}

void PatcherWindow::FlashMe() {
  if (faults_.Has(FaultMode::kHangFlash)) HangForever();
  BusyFor(kFlashBusyMs);
  FlashReplacementMe(image_, faults_);
  status_ = u"ME firmware replaced";
}

void PatcherWindow::Apply(const ClickOutcome& outcome) {
  const int added = ApplyMicrocodes(image_, outcome.applied, outcome.lastTicked, faults_);
  status_ = Utf16(std::to_string(added) + " microcode(s) added");
}

void PatcherWindow::OpenSave() {
  if (faults_.Has(FaultMode::kNoSaveDialog) || saveDialogOpen_) return;
  SetTimer(window_, kSaveDialogTimer, kSaveDialogDelayMs, nullptr);
}

void PatcherWindow::RunSave() {
  saveDialogOpen_ = true;
  RunSaveDialog(instance_, window_, [this](const std::u16string& path) { Save(path); }, observe_);
  saveDialogOpen_ = false;
}

void PatcherWindow::Save(const std::u16string& path) {
  if (faults_.Has(FaultMode::kLateWrite)) {
    pendingPath_ = path;
    pendingBytes_ = ImageToSave(image_, faults_);
    SetTimer(window_, kLateWriteTimer, kLateWriteDelayMs, nullptr);
    return;
  }
  BusyFor(kSaveWriteBusyMs);
  const Bytes saved = ImageToSave(image_, faults_);
  status_ = WriteWholeFile(path, saved) == FileStatus::kOk ? u"Image saved" : u"Save failed";
  Redraw();
}

void PatcherWindow::StartPlainPaint() {
  if (!faults_.Has(FaultMode::kLatePaint)) return;
  plainPaint_ = true;
  SetTimer(window_, kLatePaintTimer, kLatePaintMs, nullptr);  // restarts a running one
}

void PatcherWindow::Redraw() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

const LabelArt* PatcherWindow::ArtFor(uint32_t cpuid) {
  auto it = labelArt_.find(cpuid);
  return it == labelArt_.end() ? nullptr : &it->second;
}

void PatcherWindow::Paint(HDC target) {
  RECT client;
  GetClientRect(window_, &client);
  // Drawn off screen first so a capture never sees a half-painted window.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP surface = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, surface);
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kText);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  if (!plainPaint_) {
    if (model_.phase == PatcherPhase::kLoaded) PaintLoaded(dc);
    else PaintStart(dc);
    Text(dc, 20, client.bottom - 24, status_);
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(surface);
  DeleteDC(dc);
}

void PatcherWindow::PaintStart(HDC dc) {
  Text(dc, 20, 20, u"CoffeeTime 0.99 - open a BIOS image");
  Text(dc, 20, kPathInputPoint.y - 7, u"BIOS file:");
  Box(dc, {150, kPathInputPoint.y - 12, 420, kPathInputPoint.y + 12},
      model_.pathFocused ? RGB(0, 90, 200) : RGB(160, 160, 160));
  Text(dc, 154, kPathInputPoint.y - 7, model_.path);
  Box(dc, {kLoadPoint.x - 30, kLoadPoint.y - 12, kLoadPoint.x + 30, kLoadPoint.y + 12},
      RGB(120, 120, 120));
  Text(dc, kLoadPoint.x - 14, kLoadPoint.y - 7, u"Open");
}

void PatcherWindow::PaintLoaded(HDC dc) {
  const ParseResult parsed = ParseImage(image_);
  Text(dc, 20, 10, u"Image: " + FileNameOf(model_.path));
  Text(dc, 20, 40, u"ME firmware " + VersionText(parsed.summary.me));
  // ME state field at the right, microcode table below it.
  constexpr int kFieldX = 560;
  Text(dc, kFieldX, 20, u"ME state");
  const bool ownArt = faults_.Has(FaultMode::kOwnArt);
  if (ownArt) {
    DrawOwnMeState(dc, kFieldX, 40, parsed.summary.meEnabled);
  } else if (parsed.summary.meEnabled) {
    DrawLabelArt(dc, kFieldX, 40, enabledArt_);
  } else {
    Box(dc, {kFieldX, 40, kFieldX + 118, 55}, RGB(150, 150, 150));
    Text(dc, kFieldX + 4, 41, u"Disabled");
  }
  Text(dc, kFieldX, 80, u"Microcodes");
  int y = 100;
  for (uint32_t cpuid : parsed.summary.cpuids) {
    if (ownArt) DrawOwnCpuidCell(dc, kFieldX, y, cpuid);
    else if (const LabelArt* art = ArtFor(cpuid)) DrawLabelArt(dc, kFieldX, y, *art);
    else Text(dc, kFieldX, y, Utf16(CpuidText(cpuid)));
    y += 32;
  }
  if (model_.unlocked) Text(dc, 20, 300, u"Microcode editing unlocked");
}

}  // namespace standin
