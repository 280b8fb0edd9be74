// imageinfo <file>: prints the flash descriptor, ME version and microcode updates of a
// firmware image. Exit 0 when the file was read, 2 with the reason on stderr when not.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "firmware/facts_report.h"
#include "firmware/image_facts.h"

namespace {

constexpr uintmax_t kMaxImageSize = 64u << 20;

// Reads the whole file into `bytes`; on failure says why in `reason`. The size is checked
// before anything is read.
bool ReadImage(const char* path, std::vector<uint8_t>& bytes, std::string& reason) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    reason = "no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    reason = "not a regular file";
    return false;
  }
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    reason = "cannot read its size";
    return false;
  }
  if (size > kMaxImageSize) {
    reason = "larger than 64 MiB";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<size_t>(size));
  if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
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
