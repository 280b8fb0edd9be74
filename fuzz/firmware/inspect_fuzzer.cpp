// InspectImage, DistinctMicrocodes and FactsReport fed with arbitrary bytes. Besides the
// sanitizers, every reported structure must lie inside the input: the descriptor signature,
// each update (aligned, in file order, not overlapping).
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
  firmware::DistinctMicrocodes(facts);
  firmware::FactsReport(facts);
  return 0;
}
