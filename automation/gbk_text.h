#pragma once
// Byte-level helpers for GBK (code page 936) texts: positions count bytes, and a search steps
// over double-byte characters as units, so a match never starts on a trail byte.
#include <cstddef>
#include <string_view>

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

}  // namespace automation
