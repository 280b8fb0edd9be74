#include "firmware/image_facts.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "firmware/descriptor.h"
#include "firmware/fit_table.h"
#include "firmware/me_manifest.h"
#include "firmware/microcode_scan.h"

namespace firmware {

namespace {

constexpr uint32_t kBiosRegionIndex = 1;
constexpr uint32_t kMeRegionIndex = 2;

// The ME version of `region` (at `begin` in the file) and its partition entries that point
// outside it.
void ReadMeRegion(Bytes region, size_t begin, ImageFacts& facts) {
  facts.me = ReadMeVersion(region);
  for (size_t entry : EntriesOutsideRegion(region)) {
    facts.findings.push_back({begin + entry, FindingKind::kFptEntry, std::nullopt});
  }
  for (Finding finding : PartitionTableFindings(region)) {
    finding.offset += begin;
    facts.findings.push_back(finding);
  }
}

}  // namespace

ImageFacts InspectImage(std::span<const uint8_t> image) {
  ImageFacts facts;
  MicrocodeScan scan = ScanMicrocodes(image);
  facts.microcodes = std::move(scan.updates);
  facts.findings = std::move(scan.findings);
  // Without a descriptor the whole file stands for both the ME and the BIOS region.
  std::optional<FlashRegion> bios = FlashRegion{0, image.size()};
  if (const auto descriptor = FindDescriptor(image)) {
    facts.descriptorOffset = descriptor->offset;
    facts.hapSet = descriptor->hapSet;
    for (uint32_t region : {kBiosRegionIndex, kMeRegionIndex}) {
      if (const auto word = FlawedRegionWord(image, descriptor->offset, region)) {
        facts.findings.push_back({*word, FindingKind::kDescriptorRegion, std::nullopt});
      }
    }
    bios = descriptor->bios;
    if (descriptor->me) {
      const FlashRegion me = *descriptor->me;
      ReadMeRegion(image.subspan(me.begin, me.end - me.begin), me.begin, facts);
    }
  } else {
    ReadMeRegion(image, 0, facts);
  }
  if (bios) facts.fit = ReadFit(image, *bios, facts.microcodes, facts.findings);
  std::stable_sort(facts.findings.begin(), facts.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
  return facts;
}

std::vector<MicrocodeEntry> DistinctMicrocodes(const ImageFacts& facts) {
  std::vector<MicrocodeEntry> entries;
  std::unordered_map<uint32_t, size_t> indexOf;
  for (const MicrocodeUpdate& update : facts.microcodes) {
    for (uint32_t cpuid : update.cpuids) {
      const auto [it, added] = indexOf.try_emplace(cpuid, entries.size());
      if (added) {
        entries.push_back({cpuid, update.revision});
      } else if (update.revision > entries[it->second].revision) {
        entries[it->second].revision = update.revision;
      }
    }
  }
  return entries;
}

std::vector<uint32_t> DistinctCpuids(const ImageFacts& facts) {
  std::vector<uint32_t> cpuids;
  for (const MicrocodeEntry& entry : DistinctMicrocodes(facts)) cpuids.push_back(entry.cpuid);
  return cpuids;
}

std::vector<uint32_t> FitCpuids(const ImageFacts& facts) {
  std::vector<uint32_t> cpuids;
  if (!facts.fit) return cpuids;
  for (const FitMicrocodeEntry& entry : facts.fit->microcodes) {
    if (!entry.update || *entry.update >= facts.microcodes.size()) continue;
    for (uint32_t cpuid : facts.microcodes[*entry.update].cpuids) {
      if (std::find(cpuids.begin(), cpuids.end(), cpuid) == cpuids.end()) cpuids.push_back(cpuid);
    }
  }
  return cpuids;
}

std::string_view FindingName(FindingKind kind) {
  switch (kind) {
    case FindingKind::kMicrocodeSize: return "microcode-size";
    case FindingKind::kMicrocodeChecksum: return "microcode-checksum";
    case FindingKind::kFptEntry: return "fpt-entry";
    case FindingKind::kFitTable: return "fit-table";
    case FindingKind::kFitEntry: return "fit-entry";
    case FindingKind::kDescriptorRegion: return "descriptor-region";
    case FindingKind::kFptHeader: return "fpt-header";
    case FindingKind::kMeManifest: return "me-manifest";
  }
  return "unknown";
}

std::string HexText(uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char text[16];
  size_t length = 0;
  do {
    text[sizeof text - 1 - length++] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return std::string(text + sizeof text - length, length);
}

std::string VersionText(const MeVersion& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.hotfix) + "." + std::to_string(version.build);
}

std::string DateText(uint32_t bcdDate) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%02X-%02X", static_cast<unsigned>(bcdDate & 0xFFFF),
                static_cast<unsigned>(bcdDate >> 24), static_cast<unsigned>((bcdDate >> 16) & 0xFF));
  return text;
}

}  // namespace firmware
