// firmware_inspect_fuzzer_seeds <folder>: writes small synthetic images into the fuzzer's
// corpus: a descriptor with an ME region holding a partition table and manifest, microcode
// updates with and without an extended table, a FIT at the BIOS region's end listing them
// beside Boot Guard entries, and the same behind a capsule header.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/fakes/firmware_image_builder.h"

namespace {

using namespace firmware_test;

ImageBuilder SeedImage(size_t capsule) {
  ImageBuilder image(capsule + 0x4000);
  PutDescriptor(image, capsule, {Flreg(0, 0xFFF), Flreg(0x2000, 0x3FFF), Flreg(0x1000, 0x1FFF)});
  const size_t me = capsule + 0x1000;
  PutPartitionTable(image, me + 16, {{"FTPR", 0x100, 0x200}});
  PutManifest(image, me + 0x140, firmware::MeVersion{11, 8, 77, 3664});
  PutMicrocode(image, capsule + 0x2000, Update{.dataSize = 976, .totalSize = 2048, .extended = {0x906EB}});
  PutMicrocode(image, capsule + 0x2800, Update{.cpuid = 0x506E3, .dataSize = 0, .totalSize = 0});
  const size_t top = capsule + 0x4000;  // the BIOS region's end
  PutFit(image, top, top - 0x100, {{FitAddress(top, capsule + 0x2000)}, {FitAddress(top, capsule + 0x2800)},
                                   {FitAddress(top, capsule + 0x3000), 0x02}, {FitAddress(top, capsule + 0x3400), 0x0B},
                                   {FitAddress(top, capsule + 0x3800), 0x0C}});
  return image;
}

bool Write(const std::string& path, ImageBuilder image) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.bytes().data()),
            static_cast<std::streamsize>(image.bytes().size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: firmware_inspect_fuzzer_seeds <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  if (!Write(folder + "/firmware-plain.bin", SeedImage(0)) ||
      !Write(folder + "/firmware-capsule.bin", SeedImage(0x800))) {
    std::fprintf(stderr, "firmware_inspect_fuzzer_seeds: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
