// firmware_inspect_fuzzer_seeds <folder>: writes small synthetic images into the fuzzer's
// corpus: a descriptor with an ME region holding a partition table and manifest, microcode
// updates with and without an extended table, firmware volumes with files and a settings
// block, a FIT at the BIOS region's end listing the updates beside Boot Guard entries, and the
// same behind a capsule header. Built as firmware_compare_fuzzer_seeds (BMT_COMPARE_SEEDS), it
// writes pairs of them as the comparison fuzzer reads its input: the first image's length in
// four bytes, then both images.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fakes/firmware_image_builder.h"

namespace {

using namespace firmware_test;

ImageBuilder SeedImage(size_t capsule, uint8_t fileFill = 0x5A) {
  ImageBuilder image(capsule + 0x6000);
  PutDescriptor(image, capsule, {Flreg(0, 0xFFF), Flreg(0x2000, 0x5FFF), Flreg(0x1000, 0x1FFF)});
  const size_t volume = capsule + 0x3000;
  PutVolume(image, volume, {.length = 0x1000});
  size_t file = PutFile(image, volume + 0x48, {.name = GuidBytes(0xAAAAAAAA, 1, 2, 3), .size = 0x101, .fill = fileFill});
  file = PutFile(image, file, {.type = 0xF0, .size = 0x40, .fill = 0xFF});
  PutFile(image, file, {.name = GuidBytes(0xBBBBBBBB, 1, 2, 3), .size = 0x80, .large = true});
  PutVolume(image, capsule + 0x4000, {.fileSystem = kNvDataGuid, .length = 0x1000});
  const size_t me = capsule + 0x1000;
  PutPartitionTable(image, me + 16, {{"FTPR", 0x100, 0x200}});
  PutManifest(image, me + 0x140, firmware::MeVersion{11, 8, 77, 3664});
  PutMicrocode(image, capsule + 0x2000, Update{.dataSize = 976, .totalSize = 2048, .extended = {0x906EB}});
  PutMicrocode(image, capsule + 0x2800, Update{.cpuid = 0x506E3, .dataSize = 0, .totalSize = 0});
  const size_t top = capsule + 0x6000;  // the BIOS region's end
  PutFit(image, top, top - 0x100, {{FitAddress(top, capsule + 0x2000)}, {FitAddress(top, capsule + 0x2800)},
                                   {FitAddress(top, capsule + 0x3000), 0x02}, {FitAddress(top, capsule + 0x3400), 0x0B},
                                   {FitAddress(top, capsule + 0x3800), 0x0C}});
  return image;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<uint8_t> Pair(ImageBuilder original, ImageBuilder made) {
  const auto length = static_cast<uint32_t>(original.bytes().size());
  std::vector<uint8_t> pair{uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
  pair.insert(pair.end(), original.bytes().begin(), original.bytes().end());
  pair.insert(pair.end(), made.bytes().begin(), made.bytes().end());
  return pair;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
#ifdef BMT_COMPARE_SEEDS
  const bool written = Write(folder + "/compare-changed-file.bin", Pair(SeedImage(0), SeedImage(0, 0x5B))) &&
                       Write(folder + "/compare-capsule-removed.bin", Pair(SeedImage(0x800), SeedImage(0)));
#else
  const bool written = Write(folder + "/firmware-plain.bin", SeedImage(0).bytes()) &&
                       Write(folder + "/firmware-capsule.bin", SeedImage(0x800).bytes());
#endif
  if (!written) {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
