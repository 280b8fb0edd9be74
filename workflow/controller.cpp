#include "workflow/controller.h"

#include <optional>

#include "automation/input_injector.h"
#include "workflow/detect_microcodes.h"
#include "workflow/open_bios.h"
#include "workflow/open_licence.h"
#include "workflow/read_bios.h"
#include "workflow/save_image.h"
#include "workflow/toggle_microcode_edit.h"
#include "workflow/patcher_process.h"
#include "workflow/status_log.h"
#include "workflow/step_context.h"
#include "workflow/workflow_state.h"

namespace workflow {

namespace {

constexpr std::string_view kTitle = "ORVELLANQZ-1151主板魔改BIOS制作器";

enum class Step { kOpen, kRead, kToggle, kDetect, kLicence, kSave };

}  // namespace

struct Controller::Impl {
  Impl(platform::Platform& platform, Form& form, imaging::ImageFinder& finder,
       std::string_view banner, StartupHooks startupHooks)
      : ctx{platform, form, finder, state, banner}, hooks(std::move(startupHooks)) {}

  // One step at a time. While a step runs (its handler waits inside, pumping), a press of its
  // own button is ignored, so a double click cannot run it twice; any other step is refused
  // with a line, so that none runs in the middle of another (a save in the middle of a confirm
  // would check the image before the microcodes are in).
  template <typename Handler>
  void RunAlone(Step step, Handler handler) {
    if (running) {
      if (*running != step) LogStatus(ctx, "请等当前步骤完成后再操作\r\n");
      return;
    }
    running = step;
    handler(ctx);
    running.reset();
  }

  WorkflowState state;
  StepContext ctx;
  StartupHooks hooks;
  std::optional<Step> running;
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

void Controller::OnOpenClicked() { impl_->RunAlone(Step::kOpen, OpenBios); }
void Controller::OnReadClicked() { impl_->RunAlone(Step::kRead, ReadBios); }
void Controller::OnMicrocodeButtonClicked() { impl_->RunAlone(Step::kToggle, ToggleMicrocodeEdit); }
void Controller::OnRefreshPicturePressed() { impl_->RunAlone(Step::kDetect, DetectMicrocodes); }
void Controller::OnLicenceClicked() { impl_->RunAlone(Step::kLicence, OpenLicence); }
void Controller::OnMakeClicked() { impl_->RunAlone(Step::kSave, SaveImage); }

}  // namespace workflow
