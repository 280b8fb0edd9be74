#include "workflow/read_bios.h"

#include <optional>
#include <string>

#include "automation/file_access.h"
#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "automation/window_finder.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/detect_microcodes.h"
#include "workflow/image_check.h"
#include "workflow/main_window_layout.h"
#include "workflow/me_phase.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/tool_paths.h"
#include "workflow/waits.h"
#include "workflow/window_picture_file.h"
#include "workflow/window_reading.h"

namespace workflow {

namespace {

constexpr std::string_view kNoFileChosen = "请选择原版BIOS";
constexpr std::string_view kFileRejected =
    "BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)";
constexpr std::string_view kNoStartWindow =
    "没有找到CoffeeTime窗口,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kLoadTimedOut =
    "CoffeeTime长时间未完成BIOS加载,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kCoffeeTimeGone =
    "CoffeeTime已退出,BIOS未能加载,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kVendorFileUnopenable =
    "无法打开原版BIOS文件(可能已被删除或被其他程序占用),请重新点击\"打开\"选择";
constexpr std::string_view kVendorFileEmpty = "原版BIOS文件是空的,请重新点击\"打开\"选择";
constexpr std::string_view kVendorFileTooLarge =
    "原版BIOS文件超过64MB,不是主板BIOS,请重新点击\"打开\"选择";
constexpr std::string_view kVendorFileChanged =
    "原版BIOS文件在打开后被改动过,请重新点击\"打开\"选择原版BIOS";

constexpr uint32_t kDesignDpi = 96;  // 100 %: what CoffeeTime's points and pictures fit

platform::Hwnd FindStartWindow(StepContext& ctx) {
  return automation::LocateWindow(ctx.platform.windows, 0, 0, coffee_time::kWindowClass,
                                  coffee_time::kStartTitle);
}

// CoffeeTime may still be starting when the user presses "读取" right after "打开". 0 when
// none came (or the tool is closing).
platform::Hwnd AwaitStartWindow(StepContext& ctx) {
  platform::Hwnd window = FindStartWindow(ctx);
  for (int attempt = 1; window == 0 && attempt < waits::kStartWindowAttempts; ++attempt) {
    if (!Pause(ctx, 1000)) return 0;
    window = FindStartWindow(ctx);
  }
  return window;
}

// CoffeeTime's points and our label pictures fit 100 % only. True (after telling the user)
// when the start window is scaled otherwise; a DPI that cannot be had is not taken as wrong.
bool RefusedForScaling(StepContext& ctx, platform::Hwnd start) {
  const uint32_t dpi = ctx.platform.windows.GetDpiForWindow(start);
  if (dpi == 0 || dpi == kDesignDpi) return false;
  ShowMessage(ctx,
              "Windows显示缩放是" + std::to_string(dpi * 100 / kDesignDpi) +
                  "%,CoffeeTime的按钮位置和画面只适用于100%。请把显示缩放改为100%并重新登录Windows,再点击\"读取\"",
              platform::kMbIconExclamation, kDefaultCaption,
              ctx.form.NativeHandle(controls::kMainWindow));
  return true;
}

// Lets the user start again from "打开" after a read that could not finish.
void AbandonRead(StepContext& ctx, std::string_view message) {
  ShowMessage(ctx, message, platform::kMbIconInformation, kDefaultCaption,
              ctx.form.NativeHandle(controls::kMainWindow));
  ctx.form.SetDisabled(controls::kOpenButton, false);
}

// The vendor file may have changed since "打开". One that can no longer be read, holds nothing,
// is larger than any board's flash or is no longer the file read after "打开" (whose facts the
// status box and the check rely on) is not handed to CoffeeTime; every other file is
// CoffeeTime's to take or reject. Empty when the file may go; a file that could not be read
// after "打开" is taken now.
std::string_view VendorFileRefusal(StepContext& ctx) {
  const automation::FileReadResult read = automation::ReadWholeFile(
      ctx.platform.system, ctx.state.biosPath, kImageSizeLimit, automation::Sharing::kReadWrite);
  switch (read.status) {
    case automation::FileReadStatus::kRead: break;
    case automation::FileReadStatus::kTooLarge: return kVendorFileTooLarge;
    default: return kVendorFileUnopenable;
  }
  if (read.bytes.empty()) return kVendorFileEmpty;
  if (ctx.state.vendorImage.empty()) {
    // Not readable after "打开" (a passing lock): what is read now is what CoffeeTime loads.
    TakeVendorImage(ctx, read.bytes);
  } else if (read.bytes != ctx.state.vendorImage) {
    return kVendorFileChanged;
  }
  return {};
}

// A patcher that answers twice after the load click did not take the file. The second probe
// is not made once the tool is closing.
bool RejectedFile(StepContext& ctx, platform::Hwnd start) {
  auto& windows = ctx.platform.windows;
  if (!automation::IsWindowResponding(windows, start)) return false;
  if (!Pause(ctx, 300)) return false;
  return automation::IsWindowResponding(windows, start);
}

enum class LoadOutcome { kLoaded, kTimedOut, kVanished, kClosing };

// Waits for the window whose title carries the file name and whose height differs from the
// start window's. A pass that finds no window is not a finished load.
LoadOutcome AwaitLoadedWindow(StepContext& ctx, platform::Hwnd start) {
  auto& windows = ctx.platform.windows;
  WorkflowState& s = ctx.state;
  int passesWithoutWindow = 0;
  for (int pass = 0; pass < waits::kLoadPassLimit; ++pass) {
    if (!Pause(ctx, 800)) return LoadOutcome::kClosing;
    s.biosFileName = FileNameOfPath(s.biosPath);
    s.coffeeTimeWindow = automation::LocateWindow(
        windows, 0, 0, coffee_time::kWindowClass,
        std::string(coffee_time::kLoadedTitlePrefix) + s.biosFileName);
    s.loadedWindowRect = automation::WindowBoundsOf(windows, s.coffeeTimeWindow);
    if (s.coffeeTimeWindow != 0 && s.loadedWindowRect.height != s.startWindowRect.height) {
      return LoadOutcome::kLoaded;
    }
    const bool anyWindow = s.coffeeTimeWindow != 0 || automation::IsLiveWindow(windows, start);
    passesWithoutWindow = anyWindow ? 0 : passesWithoutWindow + 1;
    if (passesWithoutWindow >= waits::kVanishedPassLimit) return LoadOutcome::kVanished;
  }
  return LoadOutcome::kTimedOut;
}

// After the ME phase: the read reported, the main window enlarged, the microcodes listed (and,
// when none is recognised although the vendor file holds some, the window handed over for the
// user's own label pictures), the window centred.
void FinishRead(StepContext& ctx) {
  LogStatus(ctx, "正在读取BIOS原有代码...\r\n");
  if (!Pause(ctx, 600)) return;
  LogStatus(ctx, "已完成BIOS读取,可以编辑BIOS微码...");
  AppendStatus(ctx, "\r\n");
  ctx.state.readComplete = true;

  ctx.form.SetHeight(kEnlargedHeight);
  if (!Pause(ctx, 300)) return;
  ctx.form.SetPicture(controls::kBannerPicture, ctx.bannerPicture);
  const DetectionResult detected = DetectMicrocodeList(ctx);
  if (Closing(ctx)) return;
  if (!detected.windowUnseen && ReportUnrecognisedMicrocodes(ctx, detected.rows)) {
    SaveWindowPictureForLabels(ctx);
  }
  ReportListedNotInVendor(ctx, detected.listed);
  CentreMainWindow(ctx);
}

}  // namespace

void ReadBios(StepContext& ctx) {
  const std::string chosen = ctx.form.GetText(controls::kPathBox);
  if (chosen.empty() || chosen == kNoFileChosen) {
    LogStatus(ctx, "好歹先选个文件再读取吧...\r\n");
    return;
  }
  WorkflowState& s = ctx.state;
  s.coffeeTimeStartWindow = AwaitStartWindow(ctx);
  if (Closing(ctx)) return;
  if (s.coffeeTimeStartWindow == 0) {
    AbandonRead(ctx, kNoStartWindow);
    return;
  }
  if (RefusedForScaling(ctx, s.coffeeTimeStartWindow)) return;
  if (const std::string_view refusal = VendorFileRefusal(ctx); !refusal.empty()) {
    ctx.form.SetDisabled(controls::kReadButton, true);
    if (refusal == kVendorFileChanged) LogStatus(ctx, std::string(refusal) + "\r\n");
    AbandonRead(ctx, refusal);
    return;
  }
  LoadFolderLabels(ctx, Telling::kToTheUser);
  s.windowPictureSaved = false;
  LogStatus(ctx, "正在加载BIOS配置项(本次停留时间较长,请耐心等待.....\r\n");

  auto& windows = ctx.platform.windows;
  automation::PostClick(windows, s.coffeeTimeStartWindow, coffee_time::kPathInput.x,
                        coffee_time::kPathInput.y);
  if (!Pause(ctx, 800)) return;
  automation::TypeText(ctx.platform, s.coffeeTimeStartWindow, s.biosPath);
  if (!Pause(ctx, 100)) return;
  automation::PostClick(windows, s.coffeeTimeStartWindow, coffee_time::kLoadButton.x,
                        coffee_time::kLoadButton.y);
  if (!Pause(ctx, 100)) return;

  const bool rejected = RejectedFile(ctx, s.coffeeTimeStartWindow);
  if (Closing(ctx)) return;
  if (rejected) {
    if (!Pause(ctx, 500)) return;
    ShowMessage(ctx, kFileRejected, platform::kMbIconInformation);
    ctx.form.SetDisabled(controls::kOpenButton, false);
    return;
  }

  ctx.form.SetDisabled(controls::kReadButton, true);
  s.startWindowRect = automation::WindowBoundsOf(windows, s.coffeeTimeStartWindow);
  switch (AwaitLoadedWindow(ctx, s.coffeeTimeStartWindow)) {
    case LoadOutcome::kLoaded:
      if (ReplaceAndDisableMe(ctx)) FinishRead(ctx);
      return;
    case LoadOutcome::kVanished:
      AbandonRead(ctx, kCoffeeTimeGone);
      return;
    case LoadOutcome::kTimedOut:
      AbandonRead(ctx, kLoadTimedOut);
      return;
    case LoadOutcome::kClosing:
      return;
  }
}

}  // namespace workflow
