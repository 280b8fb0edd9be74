#include "firmware/image_comparison.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace firmware {
namespace {

constexpr size_t kFlmap1At = 0x18;
constexpr uint8_t kHapBitInItsByte = 0x01;  // bit 16 of PCHSTRP0 is bit 0 of its third byte
constexpr size_t kFitPointerBelowTop = 0x40;
constexpr size_t kFitPointerSize = 8;

// One image as the comparison reads it.
struct Side {
  Bytes bytes;
  const ImageFacts& facts;
  FlashLayout layout;
};

Bytes PartOf(Bytes image, size_t offset, size_t size) { return image.subspan(offset, size); }

bool SameBytes(Bytes a, Bytes b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

// The image offset of the byte holding the HAP bit, from the descriptor's FLMAP1.
std::optional<size_t> HapByteAt(const Side& side) {
  if (!side.layout.prefix) return std::nullopt;
  const auto flmap1 = ReadU32(side.bytes, uint64_t{*side.layout.prefix} + kFlmap1At);
  if (!flmap1) return std::nullopt;
  return *side.layout.prefix + (size_t{(*flmap1 >> 16) & 0xFF} << 4) + 2;
}

// True when the two descriptor regions differ in the original's HAP bit and nowhere else.
bool DiffersInHapAlone(const Side& original, FlashRegion a, FlashRegion b, Bytes made) {
  const std::optional<size_t> hap = HapByteAt(original);
  if (!hap || *hap < a.begin || *hap >= a.end || a.end - a.begin != b.end - b.begin) return false;
  const size_t at = *hap - a.begin;
  const size_t size = a.end - a.begin;
  const Bytes x = PartOf(original.bytes, a.begin, size);
  const Bytes y = PartOf(made, b.begin, size);
  return (x[at] ^ y[at]) == kHapBitInItsByte && SameBytes(x.first(at), y.first(at)) &&
         SameBytes(x.subspan(at + 1), y.subspan(at + 1));
}

RegionState CompareRegion(const Side& original, const Side& made, RegionIndex index) {
  const auto& a = original.layout.regions[static_cast<size_t>(index)];
  const auto& b = made.layout.regions[static_cast<size_t>(index)];
  if (!b) return RegionState::kMissing;
  if (!a) return RegionState::kAdded;
  if (SameBytes(PartOf(original.bytes, a->begin, a->end - a->begin),
                PartOf(made.bytes, b->begin, b->end - b->begin))) {
    return RegionState::kSame;
  }
  if (index == RegionIndex::kDescriptor && DiffersInHapAlone(original, *a, *b, made.bytes)) {
    return RegionState::kHap;
  }
  return RegionState::kDiffers;
}

// True when [offset, offset + size) holds the start of a valid update.
bool HoldsMicrocode(const ImageFacts& facts, size_t offset, size_t size) {
  const auto it = std::lower_bound(facts.microcodes.begin(), facts.microcodes.end(), offset,
                                   [](const MicrocodeUpdate& u, size_t at) { return u.offset < at; });
  return it != facts.microcodes.end() && it->offset - offset < size;
}

// True when [offset, offset + size) holds the FIT's header entry or any byte of its pointer.
bool HoldsFit(const Side& side, size_t offset, size_t size) {
  if (side.facts.fit && side.facts.fit->offset >= offset && side.facts.fit->offset - offset < size) {
    return true;
  }
  const auto& bios = side.layout.regions[static_cast<size_t>(RegionIndex::kBios)];
  if (!bios || bios->end - bios->begin < kFitPointerBelowTop) return false;
  const size_t pointer = bios->end - kFitPointerBelowTop;
  return pointer < offset + size && offset < pointer + kFitPointerSize;
}

// A part of one image under its key: its name and its occurrence among parts of that name.
using PartKey = std::pair<Guid, size_t>;

template <typename Part, typename NameOf>
std::vector<PartKey> KeysOf(const std::vector<Part>& parts, NameOf nameOf) {
  std::map<Guid, size_t> seen;
  std::vector<PartKey> keys;
  keys.reserve(parts.size());
  for (const Part& part : parts) keys.emplace_back(nameOf(part), seen[nameOf(part)]++);
  return keys;
}

// Pairs the parts of both images by key and calls `report(change, original part or null,
// made part or null)` for each pair that is not the same (`same` decides), the original's in
// order, then the added ones; returns how many of the original's are the same.
template <typename Part, typename NameOf, typename Same, typename Report>
size_t MatchParts(const std::vector<Part>& original, const std::vector<Part>& made, NameOf nameOf,
                  Same same, Report report) {
  const std::vector<PartKey> originalKeys = KeysOf(original, nameOf);
  const std::vector<PartKey> madeKeys = KeysOf(made, nameOf);
  std::map<PartKey, size_t> madeIndex;
  for (size_t i = 0; i < madeKeys.size(); ++i) madeIndex.emplace(madeKeys[i], i);
  std::vector<bool> matched(made.size(), false);
  size_t sameCount = 0;
  for (size_t i = 0; i < original.size(); ++i) {
    const auto it = madeIndex.find(originalKeys[i]);
    if (it == madeIndex.end()) {
      report(PartChange::kMissing, &original[i], static_cast<const Part*>(nullptr));
      continue;
    }
    matched[it->second] = true;
    if (same(original[i], made[it->second])) {
      ++sameCount;
    } else {
      report(PartChange::kChanged, &original[i], &made[it->second]);
    }
  }
  for (size_t i = 0; i < made.size(); ++i) {
    if (!matched[i]) report(PartChange::kAdded, static_cast<const Part*>(nullptr), &made[i]);
  }
  return sameCount;
}

void CompareFiles(const Side& original, const Side& made, ImageComparison& out) {
  const auto body = [](const Side& side, const FlashFile& f) {
    return PartOf(side.bytes, f.offset + f.headerSize, f.size - f.headerSize);
  };
  const auto marks = [](const Side& side, const FlashFile* f, bool& microcode, bool& fit) {
    if (f == nullptr) return;
    microcode = microcode || HoldsMicrocode(side.facts, f->offset, f->size);
    fit = fit || HoldsFit(side, f->offset, f->size);
  };
  out.originalFiles = original.layout.files.size();
  out.sameFiles = MatchParts(
      original.layout.files, made.layout.files, [](const FlashFile& f) { return f.name; },
      [&](const FlashFile& a, const FlashFile& b) {
        return a.type == b.type && SameBytes(body(original, a), body(made, b));
      },
      [&](PartChange change, const FlashFile* a, const FlashFile* b) {
        FileComparison file{(a != nullptr ? a : b)->name, change};
        marks(original, a, file.microcode, file.fit);
        marks(made, b, file.microcode, file.fit);
        out.files.push_back(file);
      });
}

void CompareBlocks(const Side& original, const Side& made, ImageComparison& out) {
  MatchParts(
      original.layout.blocks, made.layout.blocks, [](const FlashBlock& b) { return b.fileSystem; },
      [&](const FlashBlock& a, const FlashBlock& b) {
        return SameBytes(PartOf(original.bytes, a.offset, a.size), PartOf(made.bytes, b.offset, b.size));
      },
      [&](PartChange change, const FlashBlock* a, const FlashBlock* b) {
        out.blocks.push_back({(a != nullptr ? a : b)->fileSystem, change});
      });
}

std::string PrefixText(const std::optional<size_t>& prefix) {
  return prefix ? "0x" + HexText(*prefix) : std::string("none");
}

const char* StateText(RegionState state) {
  switch (state) {
    case RegionState::kSame: return "same";
    case RegionState::kHap: return "hap";
    case RegionState::kDiffers: return "differs";
    case RegionState::kMissing: return "missing";
    case RegionState::kAdded: return "added";
  }
  return "unknown";
}

const char* ChangeText(PartChange change) {
  switch (change) {
    case PartChange::kChanged: return "changed";
    case PartChange::kMissing: return "missing";
    case PartChange::kAdded: return "added";
  }
  return "unknown";
}

// "same 0x<a>" when both are equal, else "differs 0x<a> 0x<b>".
std::string SameOrDiffers(const std::string& a, const std::string& b) {
  return a == b ? "same " + a : "differs " + a + " " + b;
}

}  // namespace

ImageComparison CompareImages(const InspectedImage& originalImage, const InspectedImage& madeImage) {
  const Side original{originalImage.bytes, originalImage.facts, ReadFlashLayout(originalImage.bytes)};
  const Side made{madeImage.bytes, madeImage.facts, ReadFlashLayout(madeImage.bytes)};
  ImageComparison out;
  out.originalPrefix = original.layout.prefix;
  out.madePrefix = made.layout.prefix;
  out.originalSize = original.bytes.size() - original.layout.prefix.value_or(0);
  out.madeSize = made.bytes.size() - made.layout.prefix.value_or(0);
  for (RegionIndex index : kComparedRegions) {
    const size_t i = static_cast<size_t>(index);
    if (!original.layout.regions[i] && !made.layout.regions[i]) continue;
    out.regions.push_back({index, CompareRegion(original, made, index)});
  }
  CompareFiles(original, made, out);
  CompareBlocks(original, made, out);
  return out;
}

std::string ComparisonReport(const ImageComparison& c) {
  std::string text = "prefix " + SameOrDiffers(PrefixText(c.originalPrefix), PrefixText(c.madePrefix)) + "\n";
  text += "size " + SameOrDiffers("0x" + HexText(c.originalSize), "0x" + HexText(c.madeSize)) + "\n";
  for (const RegionComparison& region : c.regions) {
    text += std::string("region ") + RegionName(region.index) + " " + StateText(region.state) + "\n";
  }
  text += "files " + std::to_string(c.originalFiles) + " same " + std::to_string(c.sameFiles) + "\n";
  for (const FileComparison& file : c.files) {
    text += "file " + GuidText(file.name) + " " + ChangeText(file.change) +
            (file.microcode ? " microcode" : "") + (file.fit ? " fit" : "") + "\n";
  }
  for (const BlockComparison& block : c.blocks) {
    text += "block " + GuidText(block.fileSystem) + " " + ChangeText(block.change) + "\n";
  }
  return text;
}

}  // namespace firmware
