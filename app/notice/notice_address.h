#pragma once
// The address of the notice page, and the local file an address names.
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_api.h"

namespace app {

// File name of the page shipped beside the program.
inline constexpr std::string_view kNoticePageFile = "notice.html";

// The page the viewer is pointed at: the address the program was built with (BMT_NOTICE_URL),
// else the shipped page in the program's directory. GBK text.
std::string NoticePageAddress(platform::SystemApi& system);

// The local path that a "file:" URL or a plain Windows path names (percent escapes decoded,
// forward slashes turned into backslashes); nullopt for any other address.
std::optional<std::string> LocalPathOfAddress(std::string_view address);

}  // namespace app
