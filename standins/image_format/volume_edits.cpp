#include "standins/image_format/volume_edits.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/flash_regions.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

std::optional<Volume> FindBiosVolume(const Bytes& image, const Guid& fileSystem) {
  const std::optional<FileSpan> bios = RegionOf(image, kBiosRegion);
  if (!bios) return std::nullopt;
  for (const Volume& volume : FindVolumes(image, bios->offset, bios->end())) {
    if (volume.fileSystem == fileSystem) return volume;
  }
  return std::nullopt;
}

// The code volume's code files, whole, and the span they and the pad file take: from the first
// file to the volume top file.
struct CodeFiles {
  size_t begin = 0, end = 0;
  std::vector<Bytes> files;
};

std::optional<CodeFiles> ReadCodeFiles(const Bytes& image) {
  const std::optional<Volume> volume = FindBiosVolume(image, kFfs3FileSystem);
  if (!volume) return std::nullopt;
  CodeFiles code{volume->firstFile, 0, {}};
  for (const FfsFile& file : ListFiles(image, *volume)) {
    if (file.name == kVolumeTopFile) {
      code.end = file.offset;
      return code;
    }
    if (file.type == kPadFileType) continue;
    code.files.emplace_back(image.begin() + ptrdiff_t(file.offset),
                            image.begin() + ptrdiff_t(file.end()));
  }
  return std::nullopt;
}

}  // namespace

bool EraseSettingsStore(Bytes& image) {
  const std::optional<Volume> store = FindBiosVolume(image, kNvDataFileSystem);
  if (!store) return false;
  std::fill(image.begin() + ptrdiff_t(store->offset + store->headerLength),
            image.begin() + ptrdiff_t(store->end()), uint8_t{0xFF});
  return true;
}

bool RemoveCodeFile(Bytes& image, size_t index) {
  std::optional<CodeFiles> code = ReadCodeFiles(image);
  if (!code || index >= code->files.size()) return false;
  code->files.erase(code->files.begin() + ptrdiff_t(index));
  return LayOutFiles(image, code->begin, code->end, code->files);
}

bool ReverseCodeFiles(Bytes& image) {
  std::optional<CodeFiles> code = ReadCodeFiles(image);
  if (!code) return false;
  std::reverse(code->files.begin(), code->files.end());
  return LayOutFiles(image, code->begin, code->end, code->files);
}

}  // namespace standin
