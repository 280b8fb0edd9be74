#include "workflow/controller.h"

#include <string>

#include "automation/input_injector.h"
#include "platform/api_values.h"
#include "workflow/detect_microcodes.h"
#include "workflow/open_bios.h"
#include "workflow/open_licence.h"
#include "workflow/patcher_process.h"
#include "workflow/read_bios.h"
#include "workflow/save_image.h"
#include "workflow/status_log.h"
#include "workflow/step_context.h"
#include "workflow/microcode_slots.h"
#include "workflow/toggle_microcode_edit.h"
#include "workflow/workflow_state.h"

namespace workflow {

namespace {

constexpr std::string_view kTitle = "ORVELLANQZ-1151主板魔改BIOS制作器";

using StepHandler = void (*)(StepContext&);

}  // namespace

struct Controller::Impl {
  Impl(platform::Platform& platform, Form& form, imaging::ImageFinder& finder,
       std::string_view banner, StartupHooks startupHooks)
      : ctx{platform, form, finder, state, banner}, hooks(std::move(startupHooks)) {}

  // One step at a time; the only guard against a button's event running again while its step
  // waits (pumping), as the main window passes every press on. A press of the running step's
  // own button is ignored, so a double click cannot run it twice; any other step is refused
  // with a line, so that none runs in the middle of another (a save in the middle of a confirm
  // would check the image before the microcodes are in).
  void RunAlone(StepHandler step) {
    if (running != nullptr) {
      if (running != step) LogStatus(ctx, "请等当前步骤完成后再操作\r\n");
      return;
    }
    running = step;
    step(ctx);
    running = nullptr;
  }

  WorkflowState state;
  StepContext ctx;
  StartupHooks hooks;
  StepHandler running = nullptr;  // the step running now
};

Controller::Controller(platform::Platform& platform, Form& form, imaging::ImageFinder& finder,
                       std::string_view bannerPicture, StartupHooks hooks)
    : impl_(new Impl(platform, form, finder, bannerPicture, std::move(hooks))) {}

Controller::~Controller() { delete impl_; }

void Controller::OnCreated() {
  if (impl_->hooks.loadNoticePage) impl_->hooks.loadNoticePage();
  impl_->ctx.form.SetTitle(std::string(kTitle));
  impl_->state.microcodeEditUnlocked = 0;
  SetCheckBoxesDisabled(impl_->ctx, true);
  if (impl_->hooks.readNoticeBoard) impl_->hooks.readNoticeBoard();
}

void Controller::OnDestroying() {
  // A step waiting inside this shut-down stops at its next look and posts nothing more.
  impl_->state.closing = true;
  // Closes CoffeeTime's loaded window with the tool. Before any read there is none, and a
  // post to window 0 would land in the tool's own message queue.
  if (impl_->state.coffeeTimeWindow != 0) {
    automation::PostClose(impl_->ctx.platform.windows, impl_->state.coffeeTimeWindow);
  }
  // The patcher runs hidden: what this run started is closed with it.
  CloseStartedPatcher(impl_->ctx);
}

bool Controller::MayClose() {
  if (!impl_->state.madeImageUnchecked) return true;
  return impl_->ctx.platform.windows.MessageBoxA(
             impl_->ctx.form.NativeHandle(controls::kMainWindow),
             "魔改BIOS还没有核对完。现在退出,这个BIOS将没有核对结果,不要刷入它。确定退出吗?",
             std::string(kDefaultCaption).c_str(),
             platform::kMbYesNo | platform::kMbIconExclamation | platform::kMbTaskModal) == platform::kIdYes;
}

void Controller::OnOpenClicked() { impl_->RunAlone(OpenBios); }
void Controller::OnReadClicked() { impl_->RunAlone(ReadBios); }
void Controller::OnMicrocodeButtonClicked() { impl_->RunAlone(ToggleMicrocodeEdit); }
void Controller::OnRefreshPicturePressed() { impl_->RunAlone(DetectMicrocodes); }
void Controller::OnLicenceClicked() { impl_->RunAlone(OpenLicence); }
void Controller::OnMakeClicked() { impl_->RunAlone(SaveImage); }

}  // namespace workflow
