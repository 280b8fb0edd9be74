#include "workflow/window_picture_file.h"

#include <optional>
#include <string>

#include "automation/file_access.h"
#include "automation/gbk_text.h"
#include "imaging/bmp_encoder.h"
#include "platform/api_values.h"
#include "workflow/label_folder.h"
#include "workflow/status_log.h"

namespace workflow {

namespace {

constexpr int kNameTries = 99;  // "-2" ... "-99" after the plain name

// Why the picture could not be saved, as the line's closing words.
enum class SaveFailure { kNone, kNoPicture, kNotAFolder, kNotWritable, kMinuteFull };

std::string_view FailureText(SaveFailure failure) {
  switch (failure) {
    case SaveFailure::kNone: break;
    case SaveFailure::kNoPicture: return "(没有可保存的窗口画面)";
    case SaveFailure::kNotAFolder: return "(labels\\截图不是文件夹)";
    case SaveFailure::kNotWritable: return "(文件夹无法写入)";
    case SaveFailure::kMinuteFull: return "(这一分钟已保存了99张画面)";
  }
  return {};
}

// Makes the folder unless it is there; kNone once it is.
SaveFailure EnsureFolder(platform::SystemApi& system, const std::string& folder) {
  const std::u16string wide = automation::ToUtf16(system, folder);
  if (wide.empty()) return SaveFailure::kNotWritable;
  system.CreateDirectoryW(wide.c_str());
  const uint32_t attributes = system.GetFileAttributesW(wide.c_str());
  if (attributes == platform::kInvalidFileAttributes) return SaveFailure::kNotWritable;
  return (attributes & platform::kFileAttributeDirectory) != 0 ? SaveFailure::kNone : SaveFailure::kNotAFolder;
}

// Writes the picture under the first free name into `path`.
SaveFailure WriteUnderFreeName(platform::SystemApi& system, const std::string& stem,
                               const std::string& bytes, std::string& path) {
  for (int n = 1; n <= kNameTries; ++n) {
    path = stem;
    if (n > 1) path.append("-").append(std::to_string(n));
    path.append(".bmp");
    switch (automation::WriteNewFile(system, path, bytes)) {
      case automation::FileWriteStatus::kWritten: return SaveFailure::kNone;
      case automation::FileWriteStatus::kExists: continue;
      case automation::FileWriteStatus::kFailed: return SaveFailure::kNotWritable;
    }
  }
  return SaveFailure::kMinuteFull;
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
  std::string written;
  SaveFailure failure = picture ? EnsureFolder(system, labels) : SaveFailure::kNoPicture;
  if (failure == SaveFailure::kNone) failure = EnsureFolder(system, folder);
  if (failure == SaveFailure::kNone) {
    failure = WriteUnderFreeName(system, stem, imaging::EncodeBmp24(*picture), written);
  }
  if (failure != SaveFailure::kNone) {
    LogStatus(ctx, "CoffeeTime窗口画面无法保存到" + stem + ".bmp" + std::string(FailureText(failure)) + "\r\n");
    return;
  }
  LogStatus(ctx, "已把CoffeeTime窗口画面保存到" + written +
                     ",可从中剪下微码格和ME状态(Enabled)的图片存为24位BMP放入" + labels +
                     ",再重新打开本工具\r\n");
}

}  // namespace workflow
