// Writes the sample vendor images into the folder given as the only argument.
#include <cstdio>
#include <string>

#include "standins/image_format/sample_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  for (const standin::SampleFile& file : standin::SampleFiles()) {
    const std::string path = std::string(argv[1]) + "/" + std::string(file.fileName);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
      std::fprintf(stderr, "cannot create %s\n", path.c_str());
      return 1;
    }
    const size_t written = std::fwrite(file.bytes.data(), 1, file.bytes.size(), out);
    const bool closed = std::fclose(out) == 0;
    if (written != file.bytes.size() || !closed) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
