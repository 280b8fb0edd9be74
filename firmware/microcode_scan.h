#pragma once
// The scan for Intel microcode updates (the 48-byte update header, optionally followed by an
// extended signature table) at every 4-byte-aligned offset of an image.
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/image_facts.h"

namespace firmware {

struct MicrocodeScan {
  std::vector<MicrocodeUpdate> updates;  // the valid ones, in file order
  // Headers that look meant (header version and loader revision 1, a valid date, a family 6
  // processor signature) but whose sizes or checksum fail; in file order, at most
  // kMaxFindingsOfAKind of each kind.
  std::vector<Finding> findings;
};

// After a valid update the scan goes on behind its total size, so an update stored inside
// another one's data is not reported on its own; after any other candidate, 4 bytes on.
MicrocodeScan ScanMicrocodes(Bytes image);

// True for a BCD mmddyyyy date with a month of 01 to 12 and a day of 01 to 31.
bool IsValidBcdDate(uint32_t date);

}  // namespace firmware
