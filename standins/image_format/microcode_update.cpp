#include "standins/image_format/microcode_update.h"

#include <array>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/image_layout.h"
#include "standins/image_format/synthetic_bytes.h"

namespace standin {

namespace {

constexpr uint32_t kKiB = 1024;

// Synthetic revisions and dates; the sizes differ so that readers follow the total size.
constexpr std::array<UpdateFacts, 9> kFacts{{
    {0x506E0, 0x1C, 0x06122015, 0x36, 3 * kKiB},
    {0x506E1, 0x2A, 0x07212015, 0x36, 3 * kKiB},
    {0x506E3, 0xC2, 0x11052018, 0x36, 5 * kKiB},
    {0x506E8, 0x34, 0x07272016, 0x22, 4 * kKiB},
    {0x906E9, 0xB1, 0x01092019, 0x2A, 6 * kKiB},
    {0x906EA, 0xB4, 0x02282019, 0x22, 6 * kKiB},
    {0x906EB, 0xB4, 0x02282019, 0x02, 5 * kKiB},
    {0x906EC, 0xB2, 0x02052019, 0x22, 6 * kKiB},
    {0x906ED, 0xB8, 0x03172019, 0x22, 6 * kKiB},
}};

// Update data: a xorshift stream seeded from the CPUID, so different updates differ.
void FillData(std::span<uint8_t> data, uint32_t cpuid) { FillXorshift(data, cpuid ^ 0x9E3779B9u); }

}  // namespace

UpdateFacts FactsFor(uint32_t cpuid) {
  for (const UpdateFacts& facts : kFacts) {
    if (facts.cpuid == cpuid) return facts;
  }
  return {cpuid, 0x01, 0x01012019, 0x01, 2 * kKiB};
}

Bytes MakeMicrocodeUpdate(uint32_t cpuid, std::span<const uint32_t> extended) {
  const UpdateFacts facts = FactsFor(cpuid);
  const size_t tableSize =
      extended.empty() ? 0 : kExtendedHeaderSize + kExtendedEntrySize * extended.size();
  const size_t dataSize = facts.totalSize - kUpdateHeaderSize - tableSize;
  Bytes update(facts.totalSize, 0);
  WriteU32(update, kUpdateHeaderVersionOffset, 1);
  WriteU32(update, kUpdateRevisionOffset, facts.revision);
  WriteU32(update, kUpdateDateOffset, facts.date);
  WriteU32(update, kUpdateSignatureOffset, cpuid);
  WriteU32(update, kUpdateLoaderRevisionOffset, 1);
  WriteU32(update, kUpdateFlagsOffset, facts.platformFlags);
  WriteU32(update, kUpdateDataSizeOffset, uint32_t(dataSize));
  WriteU32(update, kUpdateTotalSizeOffset, facts.totalSize);
  FillData(std::span(update).subspan(kUpdateHeaderSize, dataSize), cpuid);
  const size_t headerAndData = kUpdateHeaderSize + dataSize;
  const uint32_t checksum = 0u - SumWords(std::span(update).first(headerAndData));
  WriteU32(update, kUpdateChecksumOffset, checksum);
  if (tableSize == 0) return update;

  // Each entry's checksum is the one the header would carry with that signature; the
  // table's own checksum makes its words sum to zero, so the whole update still does.
  const std::span<uint8_t> table = std::span(update).subspan(headerAndData);
  WriteU32(table, 0, uint32_t(extended.size()));
  for (size_t i = 0; i < extended.size(); ++i) {
    const size_t entry = kExtendedHeaderSize + kExtendedEntrySize * i;
    WriteU32(table, entry, extended[i]);
    WriteU32(table, entry + kExtendedFlagsField, facts.platformFlags);
    WriteU32(table, entry + kExtendedChecksumField, checksum + cpuid - extended[i]);
  }
  WriteU32(table, kExtendedChecksumOffset, 0u - SumWords(table));
  return update;
}

UpdateRead ReadUpdate(std::span<const uint8_t> bytes) {
  UpdateRead read;
  if (bytes.size() < kUpdateHeaderSize) return read;
  const uint32_t total = ReadU32(bytes, kUpdateTotalSizeOffset);
  const uint32_t data = ReadU32(bytes, kUpdateDataSizeOffset);
  if (ReadU32(bytes, kUpdateHeaderVersionOffset) != 1 ||
      ReadU32(bytes, kUpdateLoaderRevisionOffset) != 1 || total == 0 ||
      total % kUpdateTotalSizeUnit != 0 || total > bytes.size() || data % 4 != 0 ||
      data > total - kUpdateHeaderSize) {
    return read;
  }
  read.totalSize = total;
  const std::span<const uint8_t> update = bytes.first(total);
  if (SumWords(update) != 0) {
    read.status = UpdateStatus::kBadChecksum;
    return read;
  }
  read.status = UpdateStatus::kValid;
  read.cpuids.push_back(ReadU32(update, kUpdateSignatureOffset));
  // Extended signatures count only when their table fits and sums to zero.
  const std::span<const uint8_t> table = update.subspan(kUpdateHeaderSize + data);
  if (table.size() < kExtendedHeaderSize) return read;
  const uint32_t count = ReadU32(table, 0);
  if (count > (table.size() - kExtendedHeaderSize) / kExtendedEntrySize) return read;
  const size_t tableSize = kExtendedHeaderSize + kExtendedEntrySize * count;
  if (SumWords(table.first(tableSize)) != 0) return read;
  for (uint32_t i = 0; i < count; ++i) {
    read.cpuids.push_back(ReadU32(table, kExtendedHeaderSize + kExtendedEntrySize * i));
  }
  return read;
}

}  // namespace standin
