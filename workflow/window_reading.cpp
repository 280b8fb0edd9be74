#include "workflow/window_reading.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "workflow/label_folder.h"
#include "workflow/microcode_slots.h"
#include "workflow/status_log.h"
#include "workflow/vendor_facts.h"
#include "workflow/step_guards.h"

namespace workflow {

namespace {

constexpr uint64_t kPaintLimitMs = 2000;
constexpr int64_t kRecapturePauseMs = 100;
constexpr size_t kUnusableNamed = 5;  // the unusable files named one by one; the rest counted

// The pictures a label is searched with, in order: the labels folder's, then `stored`.
std::vector<std::string_view> PicturesOf(const StepContext& ctx, std::string_view name,
                                         FolderPictures folder,
                                         std::initializer_list<std::string_view> stored) {
  std::vector<std::string_view> pictures;
  if (folder == FolderPictures::kWith) {
    for (const FolderLabel& label : ctx.state.folderLabels) {
      if (label.name == name) pictures.push_back(label.picture);
    }
  }
  pictures.insert(pictures.end(), stored);
  return pictures;
}

// Found when any picture is found; unseen as soon as the window gives no picture.
imaging::FindStatus SearchAny(StepContext& ctx, const std::vector<std::string_view>& pictures) {
  for (std::string_view picture : pictures) {
    const imaging::FindStatus status = SearchLoadedWindow(ctx, picture);
    if (status != imaging::FindStatus::kNotFound) return status;
  }
  return imaging::FindStatus::kNotFound;
}

bool FolderHolds(const StepContext& ctx, std::string_view name) {
  const auto& labels = ctx.state.folderLabels;
  return std::any_of(labels.begin(), labels.end(),
                     [name](const FolderLabel& label) { return label.name == name; });
}

// Whether the window shows any known microcode of the vendor file; unseen stays unseen.
imaging::FindStatus SearchVendorLabels(StepContext& ctx) {
  // Our stored ME picture says nothing of a window drawn the way the user's pictures are.
  const FolderPictures folder = FolderHolds(ctx, kMeLabelName) ? FolderPictures::kWith : FolderPictures::kWithout;
  const std::vector<uint32_t> held = VendorCpuids(ctx.state);
  for (const MicrocodeSlot& slot : MicrocodeSlots()) {
    if (std::find(held.begin(), held.end(), slot.value) == held.end()) continue;
    const imaging::FindStatus status = SearchLabel(ctx, slot.pictures, folder);
    if (status != imaging::FindStatus::kNotFound) return status;
  }
  return imaging::FindStatus::kNotFound;
}

}  // namespace

void LoadFolderLabels(StepContext& ctx, Telling telling) {
  platform::SystemApi& system = ctx.platform.system;
  LabelFolderContents contents = LoadLabelFolder(system, LabelFolderPath(system));
  ctx.state.folderLabels = std::move(contents.labels);
  if (telling == Telling::kSilently || (ctx.state.folderLabels.empty() && contents.unusable.empty())) return;
  LogStatus(ctx, "已载入labels文件夹中的" + std::to_string(ctx.state.folderLabels.size()) +
                     "张标签图片\r\n");
  for (size_t i = 0; i < contents.unusable.size() && i < kUnusableNamed; ++i) {
    const UnusableLabel& file = contents.unusable[i];
    LogStatus(ctx, "标签图片" + file.fileName +
                       (file.problem == imaging::LabelPictureProblem::kOneColour
                            ? "无法使用,图片几乎只有一种颜色\r\n"
                            : "无法使用,须为不超过400×200的24位BMP\r\n"));
  }
  if (contents.unusable.size() > kUnusableNamed) {
    LogStatus(ctx, "另有" + std::to_string(contents.unusable.size() - kUnusableNamed) + "张标签图片无法使用\r\n");
  }
}

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

imaging::FindStatus SearchLabel(StepContext& ctx, const imaging::MicrocodeLabel& label,
                                FolderPictures folder) {
  return SearchAny(ctx, PicturesOf(ctx, label.cpuid, folder,
                                   {label.primary, label.fallback}));
}

MeOnScreen ReadMeOnScreen(StepContext& ctx) {
  switch (SearchAny(ctx, PicturesOf(ctx, kMeLabelName, FolderPictures::kWith, {imaging::MeEnabledLabel()}))) {
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
