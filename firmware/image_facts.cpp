#include "firmware/image_facts.h"

#include <cstdio>
#include <unordered_map>

#include "firmware/descriptor.h"
#include "firmware/me_manifest.h"
#include "firmware/microcode_scan.h"

namespace firmware {

ImageFacts InspectImage(std::span<const uint8_t> image) {
  ImageFacts facts;
  if (const auto descriptor = FindDescriptor(image)) {
    facts.descriptorOffset = descriptor->offset;
    facts.hapSet = descriptor->hapSet;
    if (descriptor->me) {
      const FlashRegion me = *descriptor->me;
      facts.me = ReadMeVersion(image.subspan(me.begin, me.end - me.begin));
    }
  } else {
    facts.me = ReadMeVersion(image);
  }
  facts.microcodes = ScanMicrocodes(image);
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
