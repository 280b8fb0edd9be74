// Draws the program's pictures and writes them into the given folder:
//   artgen <folder>  ->  banner.png, refresh.jpg, app.ico
#include <cstdio>
#include <string>

#include "artwork.h"
#include "image_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  struct Output {
    const char* name;
    artgen::Bytes bytes;
  };
  const Output outputs[] = {
      {"banner.png", artgen::EncodePngRgba(artgen::DrawBanner())},
      {"refresh.jpg", artgen::EncodeJpegGrey(artgen::DrawRefreshSymbol(), 85)},
      {"app.ico", artgen::EncodeIco32(artgen::DrawIcon())},
  };
  int failures = 0;
  for (const Output& output : outputs) {
    std::string path = folder + "/" + output.name;
    if (output.bytes.empty() || !artgen::WriteFile(path, output.bytes)) {
      std::fprintf(stderr, "artgen: could not write %s\n", path.c_str());
      ++failures;
    } else {
      std::printf("%s: %zu bytes\n", path.c_str(), output.bytes.size());
    }
  }
  return failures == 0 ? 0 : 1;
}
