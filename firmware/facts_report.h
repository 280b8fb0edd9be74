#pragma once
// The facts of an image as the lines imageinfo prints:
//   descriptor at 0x800            (or "descriptor none")
//   me 11.8.77.3664                (or "me unknown")
//   microcode at 0x1A3000 size 0x19000 rev B4 date 2019-02-28 cpuid 906EA,906EB
//   fit at 0xFF0000 entries 4       (or "fit none")
//   fit microcode at 0x1A3000 cpuid 906EA,906EB
//   bootguard acm km bpm
//   warning at 0x1BC000 microcode-checksum
// one microcode line per update in file order; one fit microcode line per microcode entry in
// table order ("cpuid none" when no valid update starts there, "at none" when the address
// maps outside the file); the bootguard line only when the FIT has any of those entries; the
// warnings last, in file order. Every line ends in "\n".
#include <string>

#include "firmware/image_facts.h"

namespace firmware {

std::string FactsReport(const ImageFacts& facts);

}  // namespace firmware
