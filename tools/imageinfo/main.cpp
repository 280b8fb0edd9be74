// imageinfo <file>: prints the flash descriptor, ME version and microcode updates of a
// firmware image. Exit 0 when the file was read, 2 with the reason on stderr when not.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "firmware/facts_report.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: imageinfo <file>\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  std::string reason;
  if (!ReadImage(argv[1], bytes, reason)) {
    std::fprintf(stderr, "imageinfo: %s: %s\n", argv[1], reason.c_str());
    return 2;
  }
  const std::string report = firmware::FactsReport(firmware::InspectImage(bytes));
  std::fwrite(report.data(), 1, report.size(), stdout);
  return 0;
}
