#pragma once
// MultiByteToWideChar for the native build, on top of iconv (code page 936 = GBK).
#include <cstdint>

namespace platform {

// Same contract as the platform call for flags 0: with bufferUnits 0 it returns the number
// of UTF-16 units needed; length -1 includes the terminating NUL. Returns 0 on failure.
int IconvMultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                             char16_t* buffer, int bufferUnits);

}  // namespace platform
