#include "workflow/window_reading.h"

#include <algorithm>
#include <cstdint>

#include "workflow/step_guards.h"

namespace workflow {

namespace {

constexpr uint64_t kPaintLimitMs = 2000;
constexpr int64_t kRecapturePauseMs = 100;

bool VendorHolds(const StepContext& ctx, std::string_view cpuid) {
  const auto& held = ctx.state.vendorMicrocodes;
  return std::find(held.begin(), held.end(), cpuid) != held.end();
}

// Whether the window shows any known microcode of the vendor file; unseen stays unseen.
imaging::FindStatus SearchVendorLabels(StepContext& ctx) {
  for (const imaging::MicrocodeLabel& label : imaging::MicrocodeLabels()) {
    if (!VendorHolds(ctx, label.cpuid)) continue;
    const imaging::FindStatus status = SearchLabel(ctx, label);
    if (status != imaging::FindStatus::kNotFound) return status;
  }
  return imaging::FindStatus::kNotFound;
}

}  // namespace

imaging::FindStatus SearchLoadedWindow(StepContext& ctx, std::string_view picture) {
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + kPaintLimitMs;
  for (;;) {
    imaging::SearchRect whole;
    const imaging::FindStatus status =
        ctx.finder.FindImage(ctx.state.coffeeTimeWindow, picture, whole, true).status;
    if (status != imaging::FindStatus::kWindowUnseen) return status;
    if (ctx.platform.system.GetTickCount64() >= deadline) return status;
    if (!Pause(ctx, kRecapturePauseMs)) return status;
  }
}

imaging::FindStatus SearchLabel(StepContext& ctx, const imaging::MicrocodeLabel& label) {
  const imaging::FindStatus status = SearchLoadedWindow(ctx, label.primary);
  if (status != imaging::FindStatus::kNotFound) return status;
  return SearchLoadedWindow(ctx, label.fallback);
}

MeOnScreen ReadMeOnScreen(StepContext& ctx) {
  switch (SearchLoadedWindow(ctx, imaging::MeEnabledLabel())) {
    case imaging::FindStatus::kFound: return MeOnScreen::kEnabled;
    case imaging::FindStatus::kWindowUnseen: return MeOnScreen::kUnseen;
    case imaging::FindStatus::kNotFound: break;
  }
  switch (SearchVendorLabels(ctx)) {
    case imaging::FindStatus::kFound: return MeOnScreen::kOff;
    case imaging::FindStatus::kWindowUnseen: return MeOnScreen::kUnseen;
    case imaging::FindStatus::kNotFound: break;
  }
  return MeOnScreen::kUnreadable;
}

}  // namespace workflow
