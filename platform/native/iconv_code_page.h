#pragma once
// MultiByteToWideChar and WideCharToMultiByte for the native build, on top of iconv (code page 936 = GBK).
#include <cstdint>

namespace platform {

// Same contract as the platform call for flags 0: with bufferUnits 0 it returns the number
// of UTF-16 units needed; length -1 includes the terminating NUL. Returns 0 on failure.
int IconvMultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                             char16_t* buffer, int bufferUnits);

// WideCharToMultiByte with flags 0: a character the code page cannot hold becomes '?'. With
// bufferBytes 0 it returns the number of bytes needed; length -1 includes the terminating NUL.
int IconvWideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* buffer,
                             int bufferBytes);

}  // namespace platform
