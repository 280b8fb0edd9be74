// InspectImage, DistinctMicrocodes, FitCpuids and FactsReport fed with arbitrary bytes.
// Besides the sanitizers, every reported structure must lie inside the input: the descriptor
// signature, each update (aligned, in file order, not overlapping), the FIT and what its
// microcode entries map to (an update they name starts there); the findings in file order.
#include <cstddef>
#include <cstdint>
#include <span>

#include "firmware/facts_report.h"
#include "firmware/image_facts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const firmware::ImageFacts facts = firmware::InspectImage(std::span<const uint8_t>(data, size));
  if (facts.descriptorOffset && *facts.descriptorOffset + 0x14 > size) __builtin_trap();
  size_t previousEnd = 0;
  for (const firmware::MicrocodeUpdate& update : facts.microcodes) {
    if (update.offset < previousEnd || update.offset % 4 != 0) __builtin_trap();
    if (update.totalSize % 1024 != 0 || update.totalSize > size - update.offset) __builtin_trap();
    if (update.cpuids.empty()) __builtin_trap();
    previousEnd = update.offset + update.totalSize;
  }
  if (const auto& fit = facts.fit) {
    if (fit->entries < 2 || fit->entries > 1024 || fit->offset + 16ull * fit->entries > size) __builtin_trap();
    if (fit->microcodes.size() >= fit->entries) __builtin_trap();
    for (const firmware::FitMicrocodeEntry& entry : fit->microcodes) {
      if (entry.offset && *entry.offset >= size) __builtin_trap();
      if (entry.update && (!entry.offset || *entry.update >= facts.microcodes.size() ||
                           facts.microcodes[*entry.update].offset != *entry.offset)) {
        __builtin_trap();
      }
    }
  }
  size_t previousFinding = 0;
  for (const firmware::Finding& finding : facts.findings) {
    if (finding.offset < previousFinding || finding.offset >= size) __builtin_trap();
    previousFinding = finding.offset;
  }
  firmware::DistinctMicrocodes(facts);
  firmware::FitCpuids(facts);
  firmware::FactsReport(facts);
  return 0;
}
