#include "app/notice/notice_address.h"

namespace app {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string WithBackslashes(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool IsDrivePath(std::string_view path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

}  // namespace

std::string NoticePageAddress(platform::SystemApi& system) {
#ifdef BMT_NOTICE_URL
  constexpr std::string_view kBuiltAddress = BMT_NOTICE_URL;
  if (!kBuiltAddress.empty()) return std::string(kBuiltAddress);
#endif
  return system.ProgramDirectory() + "\\" + std::string(kNoticePageFile);
}

std::optional<std::string> LocalPathOfAddress(std::string_view address) {
  if (StartsWithNoCase(address, "file:")) {
    std::string_view rest = address.substr(5);
    // Query and fragment are not part of the file name.
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.substr(0, 2) == "//") {
      rest.remove_prefix(2);
      if (StartsWithNoCase(rest, "localhost/")) rest.remove_prefix(9);
      if (!rest.empty() && rest[0] != '/') {
        // file://server/share/... names a network path.
        return WithBackslashes("//" + PercentDecoded(rest));
      }
    }
    while (!rest.empty() && rest[0] == '/' && IsDrivePath(rest.substr(1))) rest.remove_prefix(1);
    const std::string path = PercentDecoded(rest);
    if (IsDrivePath(path) || (!path.empty() && path[0] == '/')) return WithBackslashes(path);
    return std::nullopt;
  }
  if (IsDrivePath(address) && address.size() > 2 && (address[2] == '\\' || address[2] == '/')) {
    return WithBackslashes(std::string(address));
  }
  if (address.substr(0, 2) == "\\\\") return std::string(address);
  return std::nullopt;
}

}  // namespace app
