#include "workflow/label_folder.h"

#include <algorithm>

#include "automation/file_access.h"
#include "automation/gbk_text.h"
#include "imaging/label_picture.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"

namespace workflow {

namespace {

// Larger than any 400 x 200 24-bit BMP with the longest header; a larger file is not read.
constexpr uint64_t kPictureFileLimit = 1 << 20;

char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c; }

bool SameIgnoringCase(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool NameOrderLess(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return FoldAscii(x) < FoldAscii(y); });
}

// The folder's files whose names count, in file-name order.
std::vector<std::u16string> CountedFileNames(platform::SystemApi& system,
                                             const std::u16string& folder) {
  std::vector<std::u16string> names;
  const std::u16string pattern = folder + u"\\*";
  platform::FindData found;
  const platform::Handle search = system.FindFirstFileW(pattern.c_str(), &found);
  if (search == platform::kInvalidHandle) return names;
  do {
    const bool isFolder = (found.attributes & platform::kFileAttributeDirectory) != 0;
    if (!isFolder && LabelOfFileName(found.fileName)) names.push_back(found.fileName);
  } while (system.FindNextFileW(search, &found));
  system.FindClose(search);
  std::sort(names.begin(), names.end(), NameOrderLess);
  return names;
}

}  // namespace

std::string LabelFolderPath(platform::SystemApi& system) {
  return system.ProgramDirectory() + "\\orvellanQZ\\labels";
}

std::optional<std::string> LabelOfFileName(std::u16string_view fileName) {
  constexpr std::string_view kExtension = ".bmp";
  if (fileName.size() <= kExtension.size() ||
      !SameIgnoringCase(fileName.substr(fileName.size() - kExtension.size()), kExtension)) {
    return std::nullopt;
  }
  const std::u16string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
  const std::u16string_view name = stem.substr(0, stem.find(u'_'));
  if (SameIgnoringCase(name, kMeLabelName)) return std::string(kMeLabelName);
  for (const coffee_time::MicrocodeCell& cell : coffee_time::kMicrocodeCells) {
    if (SameIgnoringCase(name, cell.cpuid)) return std::string(cell.cpuid);
  }
  return std::nullopt;
}

LabelFolderContents LoadLabelFolder(platform::SystemApi& system, std::string_view folder) {
  LabelFolderContents contents;
  const std::u16string wideFolder = automation::ToUtf16(system, folder, true);
  if (wideFolder.empty()) return contents;
  for (const std::u16string& name : CountedFileNames(system, wideFolder)) {
    const automation::FileReadResult read =
        automation::ReadWholeFile(system, wideFolder + u"\\" + name, kPictureFileLimit,
                                    automation::Sharing::kReadWrite);
    const std::string_view bytes(reinterpret_cast<const char*>(read.bytes.data()),
                                 read.bytes.size());
    imaging::LabelPictureRead picture{std::nullopt, imaging::LabelPictureProblem::kNotAPicture};
    if (read.status == automation::FileReadStatus::kRead) picture = imaging::ReadLabelPicture(bytes);
    if (picture.picture) {
      contents.labels.push_back({*LabelOfFileName(name), std::move(*picture.picture)});
    } else {
      contents.unusable.push_back({automation::ToGbk(system, name), picture.problem});
    }
  }
  return contents;
}

}  // namespace workflow
