#include "workflow/coffee_time_driver.h"

#include "automation/file_access.h"
#include "automation/file_dialogs.h"
#include "automation/gbk_text.h"
#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "automation/text_helpers.h"
#include "automation/window_finder.h"
#include "platform/messages.h"
#include "workflow/image_check.h"
#include "workflow/me_replacement.h"
#include "workflow/run_program.h"
#include "workflow/status_log.h"
#include "workflow/waits.h"

namespace workflow {

namespace {

using automation::PumpingWait;

constexpr std::string_view kToolFolderMissing =
    "请与  [orvellanQZ]  文件夹和本工具放在一同目录(与文件夹并列,并非放将本工具放到  [orvellanQZ)]  )使用";
constexpr std::string_view kFileRejected =
    "BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)";
constexpr std::string_view kNoStartWindow =
    "没有找到CoffeeTime窗口,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kLoadTimedOut =
    "CoffeeTime长时间未完成BIOS加载,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kCoffeeTimeGone =
    "CoffeeTime已退出,BIOS未能加载,请重新点击\"打开\"选择原版BIOS";

constexpr platform::Point kPathInput{275, 160};
constexpr platform::Point kLoadButton{444, 192};

platform::Hwnd FindStartWindow(StepContext& ctx) {
  return automation::LocateWindow(ctx.platform.windows, 0, 0, kCoffeeTimeClass,
                                  kCoffeeTimeStartTitle);
}

// CoffeeTime may still be starting when the user presses "读取" right after "打开".
platform::Hwnd AwaitStartWindow(StepContext& ctx) {
  platform::Hwnd window = FindStartWindow(ctx);
  for (int attempt = 1; window == 0 && attempt < waits::kStartWindowAttempts; ++attempt) {
    PumpingWait(ctx.platform, 1000);
    window = FindStartWindow(ctx);
  }
  return window;
}

// Lets the user start again from "打开" after a read that could not finish.
void AbandonRead(StepContext& ctx, std::string_view message) {
  ShowMessage(ctx, message, platform::kMbIconInformation, kDefaultCaption,
              ctx.form.NativeHandle(controls::kMainWindow));
  ctx.form.SetDisabled(controls::kOpenButton, false);
}

bool RejectedFile(StepContext& ctx, platform::Hwnd start) {
  auto& windows = ctx.platform.windows;
  if (!automation::IsWindowResponding(windows, start)) return false;
  PumpingWait(ctx.platform, 300);
  return automation::IsWindowResponding(windows, start);
}

enum class LoadOutcome { kLoaded, kTimedOut, kVanished };

// Waits for the window whose title carries the file name and whose height differs from the
// start window's. A pass that finds no window is not a finished load.
LoadOutcome AwaitLoadedWindow(StepContext& ctx, platform::Hwnd start) {
  auto& windows = ctx.platform.windows;
  WorkflowState& s = ctx.state;
  int passesWithoutWindow = 0;
  for (int pass = 0; pass < waits::kLoadPassLimit; ++pass) {
    PumpingWait(ctx.platform, 800);
    s.biosFileName = FileNameOfPath(s.biosPath);
    s.coffeeTimeWindow = automation::LocateWindow(
        windows, 0, 0, kCoffeeTimeClass, std::string(kCoffeeTimeLoadedTitlePrefix) + s.biosFileName);
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

}  // namespace

std::string CoffeeTimePath(platform::SystemApi& system) {
  return system.ProgramDirectory() + "\\orvellanQZ\\ov.exe";
}

std::string FitPath(platform::SystemApi& system) {
  return system.ProgramDirectory() + "\\orvellanQZ\\bin\\fit\\fit.exe";
}

std::string FileNameOfPath(const std::string& path) {
  const size_t slash = automation::FindLastGbkChar(path, '\\');
  const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return automation::ReplaceMany(path, {{prefix, ""}});
}

void OpenBios(StepContext& ctx) {
  platform::SystemApi& system = ctx.platform.system;
  const platform::Hwnd mainWindow = ctx.form.NativeHandle(controls::kMainWindow);
  if (!automation::FileExists(system, CoffeeTimePath(system))) {
    ShowMessage(ctx, kToolFolderMissing, platform::kMbIconInformation, kDefaultCaption, mainWindow);
    return;
  }
  ctx.state.biosPath = automation::ShowOpenFileDialog(
      ctx.platform,
      {.owner = mainWindow, .initialDir = system.ProgramDirectory(), .title = "请选择未魔改bios文件"});
  ctx.form.SetText(controls::kPathBox, ctx.state.biosPath);
  if (ctx.form.GetText(controls::kPathBox).empty()) {
    ctx.form.SetDisabled(controls::kReadButton, true);
    return;
  }
  RunProgram(system, QuotedPath(CoffeeTimePath(system)), false, platform::kSwHide);
  ctx.form.SetDisabled(controls::kReadButton, false);
  ctx.form.SetDisabled(controls::kOpenButton, true);
  AppendStatus(ctx, TimeStamp(system.GetLocalTime()) + "  已加入原版BIOS" +
                        ctx.form.GetText(controls::kPathBox) + "\r\n");
  ReportVendorImage(ctx);
}

void ReadBios(StepContext& ctx) {
  const std::string chosen = ctx.form.GetText(controls::kPathBox);
  if (chosen.empty() || chosen == kNoFileChosen) {
    LogStatus(ctx, "好歹先选个文件再读取吧...\r\n");
    return;
  }
  WorkflowState& s = ctx.state;
  s.coffeeTimeStartWindow = AwaitStartWindow(ctx);
  if (s.coffeeTimeStartWindow == 0) {
    AbandonRead(ctx, kNoStartWindow);
    return;
  }
  LogStatus(ctx, "正在加载BIOS配置项(本次停留时间较长,请耐心等待.....\r\n");

  auto& windows = ctx.platform.windows;
  automation::PostClick(windows, s.coffeeTimeStartWindow, kPathInput.x, kPathInput.y);
  PumpingWait(ctx.platform, 800);
  automation::TypeText(ctx.platform, s.coffeeTimeStartWindow, s.biosPath);
  PumpingWait(ctx.platform, 100);
  automation::PostClick(windows, s.coffeeTimeStartWindow, kLoadButton.x, kLoadButton.y);
  PumpingWait(ctx.platform, 100);

  if (RejectedFile(ctx, s.coffeeTimeStartWindow)) {
    PumpingWait(ctx.platform, 500);
    ShowMessage(ctx, kFileRejected, platform::kMbIconInformation);
    ctx.form.SetDisabled(controls::kOpenButton, false);
    return;
  }

  ctx.form.SetDisabled(controls::kReadButton, true);
  s.startWindowRect = automation::WindowBoundsOf(windows, s.coffeeTimeStartWindow);
  switch (AwaitLoadedWindow(ctx, s.coffeeTimeStartWindow)) {
    case LoadOutcome::kLoaded:
      ReplaceAndDisableMe(ctx);
      return;
    case LoadOutcome::kVanished:
      AbandonRead(ctx, kCoffeeTimeGone);
      return;
    case LoadOutcome::kTimedOut:
      AbandonRead(ctx, kLoadTimedOut);
      return;
  }
}

}  // namespace workflow
