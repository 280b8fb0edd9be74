#pragma once
// The made image compared with the vendor's original, part by part: the bytes before the
// descriptor, the size after them, each region, each file of the BIOS region's volumes (by
// name and occurrence, wherever it lies) and each volume without files as one block. Says
// what differs; which differences are expected is the caller's judgement.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/flash_layout.h"
#include "firmware/image_facts.h"

namespace firmware {

enum class RegionState { kSame, kHap, kDiffers, kMissing, kAdded };
enum class PartChange { kChanged, kMissing, kAdded };

struct RegionComparison {
  RegionIndex index = RegionIndex::kDescriptor;
  RegionState state = RegionState::kSame;  // kHap: the descriptor differs in the HAP bit alone
};

struct FileComparison {
  Guid name;
  PartChange change = PartChange::kChanged;
  bool microcode = false;  // either version holds a valid microcode update
  bool fit = false;        // either version holds the FIT's header entry or its pointer's place
};

struct BlockComparison {
  Guid fileSystem;
  PartChange change = PartChange::kChanged;
};

struct ImageComparison {
  std::optional<size_t> originalPrefix, madePrefix;  // none: no descriptor
  size_t originalSize = 0, madeSize = 0;             // after the prefix
  std::vector<RegionComparison> regions;  // those present in either image, in the told order
  size_t originalFiles = 0;               // pad files aside
  size_t sameFiles = 0;
  // The files that are not the same: the original's in offset order, then the added ones in
  // the made image's order. Blocks likewise.
  std::vector<FileComparison> files;
  std::vector<BlockComparison> blocks;
};

// One image with the facts InspectImage read from it.
struct InspectedImage {
  Bytes bytes;
  const ImageFacts& facts;
};

ImageComparison CompareImages(const InspectedImage& original, const InspectedImage& made);

// The comparison as the lines `imageinfo --compare` prints, each ending in "\n":
//   prefix same 0x0 | prefix differs 0x800 0x0    (none for an image without a descriptor)
//   size same 0x1000000 | size differs 0x1000000 0x800000
//   region <name> same|hap|differs|missing|added
//   files <n> same <k>
//   file <GUID> changed|missing|added[ microcode][ fit]
//   block <GUID> changed|missing|added
std::string ComparisonReport(const ImageComparison& comparison);

}  // namespace firmware
