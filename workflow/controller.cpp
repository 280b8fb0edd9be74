#include "workflow/controller.h"

#include <array>

#include "automation/input_injector.h"
#include "workflow/coffee_time_driver.h"
#include "workflow/fit_and_save.h"
#include "workflow/microcode_selection.h"
#include "workflow/patcher_process.h"
#include "workflow/step_context.h"
#include "workflow/workflow_state.h"

namespace workflow {

namespace {

constexpr std::string_view kTitle = "ORVELLANQZ-1151主板魔改BIOS制作器";

enum Step { kOpen, kRead, kToggle, kDetect, kLicence, kSave, kStepCount };

}  // namespace

struct Controller::Impl {
  Impl(platform::Platform& platform, Form& form, imaging::ImageFinder& finder,
       std::string_view banner, StartupHooks startupHooks)
      : ctx{platform, form, finder, state, banner}, hooks(std::move(startupHooks)) {}

  // A step still running (its handler waits inside) ignores further presses of its button, so
  // a double click cannot run it twice.
  template <typename Handler>
  void RunOnce(Step step, Handler handler) {
    if (running[step]) return;
    running[step] = true;
    handler(ctx);
    running[step] = false;
  }

  WorkflowState state;
  StepContext ctx;
  StartupHooks hooks;
  std::array<bool, kStepCount> running{};
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

void Controller::OnOpenClicked() { impl_->RunOnce(kOpen, OpenBios); }
void Controller::OnReadClicked() { impl_->RunOnce(kRead, ReadBios); }
void Controller::OnMicrocodeButtonClicked() { impl_->RunOnce(kToggle, ToggleMicrocodeEdit); }
void Controller::OnRefreshPicturePressed() { impl_->RunOnce(kDetect, DetectMicrocodes); }
void Controller::OnLicenceClicked() { impl_->RunOnce(kLicence, OpenLicence); }
void Controller::OnMakeClicked() { impl_->RunOnce(kSave, SaveImage); }

}  // namespace workflow
