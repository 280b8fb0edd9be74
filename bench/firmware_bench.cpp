// Speed of InspectImage over a 16 MiB image against one memchr pass over the same bytes, on
// a typical image (0xFF fill), one of pseudo-random bytes and two crafted worst cases; and of
// CompareImages over two 16 MiB images with volumes and a few hundred files, one changed,
// against one memcmp of the two, and over a crafted pair whose BIOS regions hold a volume
// header that fails only its checksum at every 16th byte.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "firmware/image_comparison.h"
#include "firmware/image_facts.h"
#include "ratio_reporter.h"
#include "tests/fakes/firmware_image_builder.h"

namespace bench {
namespace {

using namespace firmware_test;

constexpr size_t kImageSize = 16u << 20;
constexpr size_t kMeBegin = 0x3000, kMeEnd = 0x200000;
constexpr size_t kBiosBegin = 0x800000;
constexpr size_t kMicrocodeAt = 0xA00000;

// Descriptor, ME region with a partition table and the FTPR manifest, BIOS region with four
// microcode updates of 100 KiB (the last with an extended table) and a FIT at its end listing
// them beside Boot Guard entries.
ImageBuilder Layout(ImageBuilder image) {
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(kBiosBegin, kImageSize - 1), Flreg(kMeBegin, kMeEnd - 1)});
  PutPartitionTable(image, kMeBegin + 16, {{"FTPR", 0x1000, 0x80000}, {"NFTP", 0x81000, 0x100000}});
  PutManifest(image, kMeBegin + 0x1000 + 0x40, firmware::MeVersion{11, 8, 77, 3664});
  const uint32_t cpuids[] = {0x506E3, 0x906E9, 0x906EA, 0x906EC};
  for (size_t i = 0; i < 4; ++i) {
    Update update{.revision = 0xB4, .cpuid = cpuids[i], .dataSize = 0x19000 - 48, .totalSize = 0x19000};
    if (i == 3) update = Update{.revision = 0xB4, .cpuid = cpuids[i], .dataSize = 0x18000,
                                .totalSize = 0x19000, .extended = {0x906EB, 0x906ED}};
    PutMicrocode(image, kMicrocodeAt + i * 0x19000, update);
  }
  std::vector<FitEntry> fit;
  for (size_t i = 0; i < 4; ++i) fit.push_back({FitAddress(kImageSize, kMicrocodeAt + i * 0x19000)});
  for (uint8_t type : {0x02, 0x0B, 0x0C}) fit.push_back({FitAddress(kImageSize, kImageSize - 0x40000), type});
  PutFit(image, kImageSize, kImageSize - 0x10000, fit);
  return image;
}

ImageBuilder Typical() { return Layout(ImageBuilder(kImageSize, 0xFF)); }

// Pseudo-random words like compressed code, with a word 1 about every 256 words. No byte is
// 0x77, so that the plain scan below is one memchr call here too.
ImageBuilder Noise() {
  ImageBuilder image(kImageSize);
  uint32_t x = 2463534242u;
  for (size_t at = 0; at < kImageSize; at += 4) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    image.U32(at, (x & 0xFF00) == 0 ? 1 : x);
  }
  for (uint8_t& b : image.bytes()) b = b == 0x77 ? 0x76 : b;
  return Layout(std::move(image));
}

// Every seventh word a header that passes all tests but the checksum: version 1, total size
// 1 KiB, valid date, loader revision 1, data size 1 (the next period's version word). The ME
// region is "$MN2" tags without the vendor word.
ImageBuilder Crafted() {
  ImageBuilder image(kImageSize, 0);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(kBiosBegin, kImageSize - 1), Flreg(kMeBegin, kMeEnd - 1)});
  for (size_t at = kMeBegin; at < kMeEnd; at += 4) image.Text(at, "$MN2");
  const uint32_t period[7] = {1, 1024, 0x02282019, 0x906EA, 0x1234, 1, 0};
  for (size_t at = kMeEnd, i = 0; at + 4 <= kImageSize; at += 4, i = (i + 1) % 7) image.U32(at, period[i]);
  return image;
}

// No descriptor, so the whole image is searched for a manifest: "$MN2" tags without the
// vendor word at every eighth byte, and the bytes between them all '$'.
ImageBuilder CraftedTags() {
  ImageBuilder image(kImageSize, 0);
  for (size_t at = 0; at < kImageSize; at += 8) image.Text(at, "$MN2$$$$");
  return image;
}

// A byte value the image does not hold, so that memchr for it passes over every byte.
int AbsentByte(const std::vector<uint8_t>& bytes) {
  bool seen[256] = {};
  for (uint8_t b : bytes) seen[b] = true;
  for (int v = 0; v < 256; ++v) {
    if (!seen[v]) return v;
  }
  return -1;
}

struct Scene {
  const char* name;
  ImageBuilder (*make)();
  size_t expectedUpdates;
};
constexpr Scene kScenes[] = {{"typical", Typical, 4}, {"noise", Noise, 4}, {"crafted", Crafted, 0},
                           {"tags", CraftedTags, 0}};

// Descriptor, ME region, and a BIOS region of three volumes: 160 files of 16 KiB, a settings
// block, 160 more files, pseudo-random contents. `changed` alters the last file's last byte,
// so a memcmp of the two images runs nearly to their end.
std::vector<uint8_t> VolumeImage(bool changed) {
  ImageBuilder image = Typical();
  uint32_t x = 88172645u;
  for (size_t at = kBiosBegin; at < kImageSize; at += 4) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    image.U32(at, x);
  }
  const size_t fileSize = 0x4000, files = 160;
  const uint64_t volumeLength = 0x48 + files * fileSize;  // every file size a multiple of 8
  size_t at = kBiosBegin;
  for (int volume = 0; volume < 3; ++volume) {
    if (volume == 1) {
      PutVolume(image, at, {.fileSystem = kNvDataGuid, .length = 0x40000});
      at += 0x40000;
      continue;
    }
    PutVolume(image, at, {.length = volumeLength});
    for (size_t i = 0; i < files; ++i) {
      const size_t file = at + 0x48 + i * fileSize;
      const std::vector<uint8_t> data(image.bytes().begin() + file + 24, image.bytes().begin() + file + fileSize);
      PutFile(image, file, {.name = GuidBytes(uint32_t(volume * 1000 + i), 0x2222, 0x3333, 0x4444), .size = fileSize});
      std::copy(data.begin(), data.end(), image.bytes().begin() + file + 24);  // keep the random contents
    }
    at += volumeLength;
  }
  if (changed) image.bytes()[at - 1] ^= 0x01;
  return std::move(image.bytes());
}

// Images whose BIOS regions repeat 16 bytes that make every 16th byte look like a volume
// header up to its checksum: length 0x7FFFE (whose low half is the header length 0xFFFE) and
// "_FVH". Summed one by one, the headers would cost 32 K words each.
std::vector<uint8_t> CraftedVolumes() {
  ImageBuilder image = Typical();
  for (size_t at = kBiosBegin; at + 16 <= kImageSize; at += 16) {
    image.U32(at, 0x0007FFFE).U32(at + 4, 0).Text(at + 8, "_FVH").U32(at + 12, 0);
  }
  return std::move(image.bytes());
}

bool RegisterComparison(const char* name, std::vector<uint8_t> a, std::vector<uint8_t> b, size_t expectedFiles) {
  auto* images = new std::pair<std::vector<uint8_t>, std::vector<uint8_t>>(std::move(a), std::move(b));  // lives for the run
  auto* facts = new std::pair<firmware::ImageFacts, firmware::ImageFacts>(firmware::InspectImage(images->first),
                                                                          firmware::InspectImage(images->second));
  const firmware::ImageComparison once =
      firmware::CompareImages({images->first, facts->first}, {images->second, facts->second});
  if (once.originalFiles != expectedFiles || once.sameFiles + (expectedFiles != 0) != expectedFiles) {
    std::fprintf(stderr, "%s: %zu files, %zu same; expected %zu with one changed\n", name, once.originalFiles,
                 once.sameFiles, expectedFiles);
    return false;
  }
  benchmark::RegisterBenchmark((std::string("CompareImages/") + name).c_str(), [images, facts](benchmark::State& st) {
    for (auto _ : st) {
      benchmark::DoNotOptimize(
          firmware::CompareImages({images->first, facts->first}, {images->second, facts->second}));
    }
  })->Unit(benchmark::kMillisecond)->MinTime(0.5);
  benchmark::RegisterBenchmark((std::string("memcmp/") + name).c_str(), [images](benchmark::State& st) {
    for (auto _ : st) {
      benchmark::DoNotOptimize(std::memcmp(images->first.data(), images->second.data(), images->first.size()));
    }
  })->Unit(benchmark::kMillisecond)->MinTime(0.5);
  return true;
}

bool RegisterAll() {
  if (!RegisterComparison("volumes", VolumeImage(false), VolumeImage(true), 320) ||
      !RegisterComparison("crafted", CraftedVolumes(), CraftedVolumes(), 0)) {
    return false;
  }
  for (const Scene& scene : kScenes) {
    auto* image = new std::vector<uint8_t>(std::move(scene.make().bytes()));  // lives for the run
    const int absent = AbsentByte(*image);
    const firmware::ImageFacts facts = firmware::InspectImage(*image);
    const bool laidOut = scene.expectedUpdates != 0;
    if (absent < 0 || facts.microcodes.size() != scene.expectedUpdates ||
        (laidOut && facts.me != firmware::MeVersion{11, 8, 77, 3664}) ||
        (laidOut && firmware::FitCpuids(facts).size() != scene.expectedUpdates + 2)) {
      std::fprintf(stderr, "%s: %zu updates found, expected %zu, or no FIT listing them, or no absent byte\n",
                   scene.name, facts.microcodes.size(), scene.expectedUpdates);
      return false;
    }
    benchmark::RegisterBenchmark((std::string("InspectImage/") + scene.name).c_str(),
                                 [image](benchmark::State& st) {
      for (auto _ : st) benchmark::DoNotOptimize(firmware::InspectImage(*image));
    })->Unit(benchmark::kMillisecond)->MinTime(0.5);
    benchmark::RegisterBenchmark((std::string("memchr/") + scene.name).c_str(),
                                 [image, absent](benchmark::State& st) {
      for (auto _ : st) benchmark::DoNotOptimize(std::memchr(image->data(), absent, image->size()));
    })->Unit(benchmark::kMillisecond)->MinTime(0.5);
  }
  return true;
}

void PrintSummary(const RatioReporter& times) {
  std::printf("\nProcessor time per 16 MiB image\n%-10s %14s %10s %8s\n", "image", "InspectImage ms",
              "memchr ms", "ratio");
  for (const Scene& scene : kScenes) {
    const double ours = times.Milliseconds(std::string("InspectImage/") + scene.name);
    const double plain = times.Milliseconds(std::string("memchr/") + scene.name);
    std::printf("%-10s %14.2f %10.2f %8.1f\n", scene.name, ours, plain, ours / plain);
  }
  const double ours = times.Milliseconds("InspectImage/typical");
  const double plain = times.Milliseconds("memchr/typical");
  std::printf("InspectImage 16MiB: %.2f ms, %.1f times a plain scan\n", ours, ours / plain);
  for (const char* name : {"volumes", "crafted"}) {
    const double compare = times.Milliseconds(std::string("CompareImages/") + name);
    const double memcmp = times.Milliseconds(std::string("memcmp/") + name);
    std::printf("CompareImages 16MiB%s: %.2f ms, %.1f times a memcmp\n",
                std::string(name) == "volumes" ? "" : " (crafted volume signatures)", compare, compare / memcmp);
  }
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!bench::RegisterAll()) return 1;
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
