#pragma once
// Which encoding a page file is written in. The program works in GBK; a page may be stored
// either in GBK or in UTF-8.
#include <cstddef>
#include <string_view>

namespace app {

enum class PageCharset { kGbk, kUtf8 };

struct PageEncoding {
  PageCharset charset = PageCharset::kGbk;
  size_t bomBytes = 0;  // bytes of a UTF-8 byte-order mark to skip
};

// A UTF-8 byte-order mark decides; else a charset named in the page's head (utf-8, gbk,
// gb2312, gb18030); else UTF-8 when the bytes hold non-ASCII text that is valid UTF-8;
// else GBK.
PageEncoding DetectPageEncoding(std::string_view page);

bool IsValidUtf8(std::string_view text);

}  // namespace app
