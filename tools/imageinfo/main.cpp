// imageinfo <file>: prints the flash descriptor, ME version and microcode updates of a
// firmware image.
// imageinfo --compare <original> <made>: prints how the made image differs from the original,
// region by region and file by file.
// Exit 0 when the files were read, 2 with the reason on stderr when not.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "firmware/facts_report.h"
#include "firmware/image_comparison.h"
#include "firmware/image_facts.h"

namespace {

constexpr uint64_t kMaxImageSize = 64u << 20;

// Reads the whole file into `bytes`; on failure says why in `reason`. The size is checked
// before the contents are read. The path goes to the C library as it is (on Windows in the
// ANSI code page), so names in code page 936 open.
bool ReadImage(const char* path, std::vector<uint8_t>& bytes, std::string& reason) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = "cannot be opened (missing or not readable)";
    return false;
  }
  in.peek();  // a directory opens but cannot be read
  if (in.bad()) {
    reason = "cannot be read";
    return false;
  }
  in.clear();
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) {
    reason = "cannot be read";
    return false;
  }
  if (static_cast<uint64_t>(size) > kMaxImageSize) {
    reason = "larger than 64 MiB";
    return false;
  }
  bytes.resize(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    reason = "cannot be read";
    return false;
  }
  return true;
}

constexpr const char* kUsage = "usage: imageinfo <file> | imageinfo --compare <original> <made>\n";

// Reads `path` or says why not on stderr.
bool ReadOrSay(const char* path, std::vector<uint8_t>& bytes) {
  std::string reason;
  if (ReadImage(path, bytes, reason)) return true;
  std::fprintf(stderr, "imageinfo: %s: %s\n", path, reason.c_str());
  return false;
}

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

int main(int argc, char** argv) {
  const bool compare = argc >= 2 && std::string(argv[1]) == "--compare";
  if (compare ? argc != 4 : argc != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!compare) {
    std::vector<uint8_t> bytes;
    if (!ReadOrSay(argv[1], bytes)) return 2;
    Print(firmware::FactsReport(firmware::InspectImage(bytes)));
    return 0;
  }
  std::vector<uint8_t> original, made;
  if (!ReadOrSay(argv[2], original) || !ReadOrSay(argv[3], made)) return 2;
  const firmware::ImageFacts originalFacts = firmware::InspectImage(original);
  const firmware::ImageFacts madeFacts = firmware::InspectImage(made);
  Print(firmware::ComparisonReport(
      firmware::CompareImages({original, originalFacts}, {made, madeFacts})));
  return 0;
}
