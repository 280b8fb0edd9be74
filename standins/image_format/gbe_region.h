#pragma once
// The GbE region of the stand-in's images: the network controller's settings, of which only
// the MAC address and the checksum word mean anything here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/image_layout.h"

namespace standin {

using MacAddress = std::array<uint8_t, kMacAddressSize>;

// A locally administered address ("STND" in its middle), no vendor's.
constexpr MacAddress kStandInMac{0x02, 0x53, 0x54, 0x4E, 0x44, 0x01};

// Writes the region's first bank at `at`: `mac`, synthetic words, the checksum word; the rest
// of the kGbeRegionSize bytes 0xFF.
void WriteGbeRegion(std::span<uint8_t> image, size_t at, const MacAddress& mac);

// Puts `mac` into the image's GbE region and keeps its checksum word valid; false (the image
// unchanged) when the descriptor gives no GbE region inside the file.
bool SetMacAddress(Bytes& image, const MacAddress& mac);

}  // namespace standin
