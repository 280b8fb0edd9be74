#pragma once
// The facts of an image as the lines imageinfo prints:
//   descriptor at 0x800            (or "descriptor none")
//   me 11.8.77.3664                (or "me unknown")
//   microcode at 0x1A3000 size 0x19000 rev B4 date 2019-02-28 cpuid 906EA,906EB
// one microcode line per update in file order; every line ends in "\n".
#include <string>

#include "firmware/image_facts.h"

namespace firmware {

std::string FactsReport(const ImageFacts& facts);

}  // namespace firmware
