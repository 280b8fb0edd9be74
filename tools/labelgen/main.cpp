// labelgen <folder>: writes the label pictures as 24-bit BMP files into the folder.
#include <cstdio>
#include <fstream>
#include <string>

#include "imaging/bmp_encoder.h"
#include "tools/labelgen/label_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: labelgen <output folder>\n");
    return 2;
  }
  for (const auto& picture : labelgen::DrawAllLabels()) {
    const std::string path = std::string(argv[1]) + "/" + picture.fileName;
    const std::string bytes = imaging::EncodeBmp24(picture.image);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "labelgen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s %zu bytes\n", path.c_str(), bytes.size());
  }
  return 0;
}
