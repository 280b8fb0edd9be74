#pragma once
// Helpers for GBK (code page 936) texts: byte-level ones, where positions count bytes and a
// search steps over double-byte characters as units, so a match never starts on a trail byte;
// and the conversions to and from UTF-16 through the platform.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/system_api.h"

namespace automation {

inline bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Length in bytes of the character starting at `pos` (1 or 2).
size_t GbkCharLength(std::string_view text, size_t pos);

// 0-based offset of the first occurrence of `needle` at or after character boundary `from`,
// or npos. caseInsensitive folds ASCII letters only (never bytes inside a double-byte
// character). An empty needle is never found.
size_t FindGbk(std::string_view text, std::string_view needle, size_t from,
               bool caseInsensitive = false);

// 0-based offset of the last single-byte character equal to `c`, or npos.
size_t FindLastGbkChar(std::string_view text, char c);

// UTF-16 units of a GBK text (up to its first NUL), with the terminating 0 unit unless
// dropTerminator. Empty text gives an empty result.
std::u16string ToUtf16(platform::SystemApi& system, std::string_view text,
                       bool dropTerminator = false);

// The GBK text of UTF-16 units (up to the first 0 unit); a character GBK cannot hold becomes
// '?'. Empty when the conversion fails.
std::string ToGbk(platform::SystemApi& system, std::u16string_view text);

}  // namespace automation
