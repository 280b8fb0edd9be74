#include "workflow/detect_microcodes.h"

#include <string>

#include "automation/input_injector.h"
#include "platform/api_values.h"
#include "workflow/microcode_slots.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/window_reading.h"

namespace workflow {

namespace {

constexpr uint8_t kSearchOpacity = 10;

}  // namespace

void DetectMicrocodes(StepContext& ctx) {
  if (!ReadFinished(ctx) || !LoadedWindowThere(ctx)) return;
  LoadFolderLabels(ctx, Telling::kSilently);
  DetectMicrocodeList(ctx);
}

DetectionResult DetectMicrocodeList(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  automation::SetWindowTransparency(windows, window, kSearchOpacity);
  automation::SetWindowShowState(windows, window, platform::kSwShowNormal);
  automation::StripWindowIcon(windows, window);
  automation::StripWindowIcon(windows, window);

  ctx.form.ClearRows(controls::kMicrocodeList);
  int counter = 0;
  if (!Pause(ctx, 300)) return {};

  bool windowUnseen = false;
  std::vector<uint32_t> listed;
  for (const MicrocodeSlot& slot : MicrocodeSlots()) {
    if (windowUnseen) break;
    // Each search captures the window anew; a close that came meanwhile is taken first.
    if (!Pause(ctx, 0)) return {};
    const imaging::FindStatus status = SearchLabel(ctx, slot.pictures);
    if (status == imaging::FindStatus::kWindowUnseen) {
      windowUnseen = true;
    } else if (status == imaging::FindStatus::kFound) {
      const int row = ctx.form.AppendRow(controls::kMicrocodeList);
      ctx.form.SetCell(controls::kMicrocodeList, row, 1, std::string(slot.cpuid));
      ctx.form.SetCell(controls::kMicrocodeList, row, 0, std::to_string(counter + 1));
      listed.push_back(slot.value);
      ++counter;
    }
  }
  if (Closing(ctx)) return {};
  automation::SetWindowShowState(windows, window, platform::kSwHide);
  if (windowUnseen) {
    LogStatus(ctx, "无法读取CoffeeTime窗口画面,未能识别BIOS原有微码,请点击刷新图标重试\r\n");
  }
  return {counter, std::move(listed), windowUnseen};
}

}  // namespace workflow
