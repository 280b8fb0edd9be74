#include "platform/native/iconv_code_page.h"

#include <iconv.h>

#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

const char* IconvNameOf(uint32_t codePage) {
  switch (codePage) {
    case 936: return "GBK";
    case 65001: return "UTF-8";
    case 1252: return "CP1252";
    default: return nullptr;
  }
}

// Converts the whole input; invalid sequences become U+FFFD one byte at a time, like the
// platform without MB_ERR_INVALID_CHARS.
std::u16string Convert(const char* name, const char* text, size_t length) {
  std::u16string out;
  iconv_t cd = iconv_open("UTF-16LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  std::vector<char> chunk(4 * length + 8);
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  while (inLeft > 0) {
    char* dst = chunk.data();
    size_t dstLeft = chunk.size();
    size_t r = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    size_t produced = chunk.size() - dstLeft;
    for (size_t i = 0; i + 1 < produced; i += 2) {
      out.push_back(static_cast<char16_t>(static_cast<uint8_t>(chunk[i]) |
                                          (static_cast<uint8_t>(chunk[i + 1]) << 8)));
    }
    if (r == static_cast<size_t>(-1)) {
      out.push_back(u'\uFFFD');
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

// One UTF-16 unit (or surrogate pair) at a time, so that what the code page cannot hold is
// replaced by '?' and the rest converted.
std::string ConvertBack(const char* name, const char16_t* text, size_t units) {
  std::string out;
  iconv_t cd = iconv_open(name, "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  for (size_t i = 0; i < units;) {
    const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < units;
    const size_t count = pair ? 2 : 1;
    char in[4];
    for (size_t k = 0; k < count; ++k) {
      in[2 * k] = static_cast<char>(text[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(text[i + k] >> 8);
    }
    char converted[8];
    char* src = in;
    char* dst = converted;
    size_t inLeft = 2 * count, outLeft = sizeof converted;
    if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
      out.push_back('?');
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(converted, sizeof converted - outLeft);
    }
    i += count;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

int IconvWideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* buffer,
                             int bufferBytes) {
  const char* name = IconvNameOf(codePage);
  if (!name || !text || bufferBytes < 0 || length == 0 || length < -1) return 0;
  size_t units = 0;
  if (length == -1) {
    while (text[units] != 0) ++units;
    ++units;
  } else {
    units = static_cast<size_t>(length);
  }
  const std::string bytes = ConvertBack(name, text, units);
  if (bufferBytes == 0) return static_cast<int>(bytes.size());
  if (bytes.size() > static_cast<size_t>(bufferBytes)) return 0;  // insufficient buffer
  std::memcpy(buffer, bytes.data(), bytes.size());
  return static_cast<int>(bytes.size());
}

int IconvMultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                             char16_t* buffer, int bufferUnits) {
  (void)flags;
  const char* name = IconvNameOf(codePage);
  if (!name || !text || bufferUnits < 0 || length == 0 || length < -1) return 0;
  size_t bytes = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);
  std::u16string units = Convert(name, text, bytes);
  if (bufferUnits == 0) return static_cast<int>(units.size());
  if (units.size() > static_cast<size_t>(bufferUnits)) return 0;  // insufficient buffer
  std::memcpy(buffer, units.data(), units.size() * sizeof(char16_t));
  return static_cast<int>(units.size());
}

}  // namespace platform
