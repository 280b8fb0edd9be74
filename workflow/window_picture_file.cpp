#include "workflow/window_picture_file.h"

#include <optional>
#include <string>

#include "automation/file_access.h"
#include "automation/gbk_text.h"
#include "imaging/bmp_encoder.h"
#include "platform/messages.h"
#include "workflow/label_folder.h"
#include "workflow/status_log.h"

namespace workflow {

namespace {

constexpr int kNameTries = 99;  // "-2" ... "-99" after the plain name

// The folder is there when this returns true, made now or before.
bool EnsureFolder(platform::SystemApi& system, const std::string& folder) {
  const std::u16string wide = automation::ToUtf16(system, folder);
  if (wide.empty()) return false;
  system.CreateDirectoryW(wide.c_str());
  const uint32_t attributes = system.GetFileAttributesW(wide.c_str());
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0;
}

// Writes the picture under the first free name; the path written, or nothing.
std::optional<std::string> WriteUnderFreeName(platform::SystemApi& system,
                                              const std::string& stem, const std::string& bytes) {
  for (int n = 1; n <= kNameTries; ++n) {
    std::string path = stem;
    if (n > 1) path.append("-").append(std::to_string(n));
    path.append(".bmp");
    switch (automation::WriteNewFile(system, path, bytes)) {
      case automation::FileWriteStatus::kWritten: return path;
      case automation::FileWriteStatus::kExists: continue;
      case automation::FileWriteStatus::kFailed: return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

void SaveWindowPictureForLabels(StepContext& ctx) {
  if (ctx.state.windowPictureSaved) return;
  ctx.state.windowPictureSaved = true;
  platform::SystemApi& system = ctx.platform.system;
  const std::string labels = LabelFolderPath(system);
  const std::string folder = labels + "\\截图";
  const std::string stem = folder + "\\CoffeeTime窗口-" + TimeStamp(system.GetLocalTime(), '_');
  const std::optional<imaging::ColourImage> picture = ctx.finder.LastWindowCapture();
  std::optional<std::string> written;
  if (picture && EnsureFolder(system, labels) && EnsureFolder(system, folder)) {
    written = WriteUnderFreeName(system, stem, imaging::EncodeBmp24(*picture));
  }
  if (!written) {
    LogStatus(ctx, "CoffeeTime窗口画面无法保存到" + stem + ".bmp\r\n");
    return;
  }
  LogStatus(ctx, "已把CoffeeTime窗口画面保存到" + *written +
                     ",可从中剪下微码格和ME状态(Enabled)的图片存为24位BMP放入" + labels +
                     ",再重新打开本工具\r\n");
}

}  // namespace workflow
