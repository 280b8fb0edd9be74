#include "image_files.h"

#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace artgen {
namespace {

void PutLe16(Bytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutLe32(Bytes& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

}  // namespace

Bytes EncodePngRgba(const Canvas& canvas) {
  std::vector<uint8_t> rgba = ToRgba8(canvas);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.width);
  image.height = static_cast<png_uint_32>(canvas.height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

Bytes EncodeJpegGrey(const Canvas& canvas, int quality) {
  std::vector<uint8_t> grey;
  grey.reserve(canvas.pixels.size());
  for (const Colour& c : canvas.pixels) {
    double luma = (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) * c.a + (1 - c.a);
    grey.push_back(static_cast<uint8_t>(std::lround(luma * 255.0)));
  }
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);  // the default handler exits the tool on error
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(canvas.width);
  cinfo.image_height = static_cast<JDIMENSION>(canvas.height);
  cinfo.input_components = 1;
  cinfo.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &grey[static_cast<size_t>(cinfo.next_scanline) * canvas.width];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

Bytes EncodeIco32(const Canvas& canvas) {
  const uint32_t w = static_cast<uint32_t>(canvas.width), h = static_cast<uint32_t>(canvas.height);
  const uint32_t maskStride = ((w + 31) / 32) * 4;
  const uint32_t pixelBytes = w * h * 4, maskBytes = maskStride * h;
  const uint32_t imageBytes = 40 + pixelBytes + maskBytes;
  std::vector<uint8_t> rgba = ToRgba8(canvas);
  Bytes out;
  // Directory: reserved, type 1 (icon), one entry.
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, 1);
  out.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
  out.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
  out.push_back(0);  // no palette
  out.push_back(0);
  PutLe16(out, 1);   // planes
  PutLe16(out, 32);  // bits per pixel
  PutLe32(out, imageBytes);
  PutLe32(out, 6 + 16);
  // BITMAPINFOHEADER: the height counts the colour image and the mask.
  PutLe32(out, 40);
  PutLe32(out, w);
  PutLe32(out, h * 2);
  PutLe16(out, 1);
  PutLe16(out, 32);
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, pixelBytes + maskBytes);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (uint32_t row = 0; row < h; ++row) {
    const uint8_t* src = &rgba[static_cast<size_t>(h - 1 - row) * w * 4];
    for (uint32_t x = 0; x < w; ++x) {
      out.push_back(src[x * 4 + 2]);
      out.push_back(src[x * 4 + 1]);
      out.push_back(src[x * 4 + 0]);
      out.push_back(src[x * 4 + 3]);
    }
  }
  for (uint32_t row = 0; row < h; ++row) {
    const uint8_t* src = &rgba[static_cast<size_t>(h - 1 - row) * w * 4];
    Bytes maskRow(maskStride, 0);
    for (uint32_t x = 0; x < w; ++x) {
      if (src[x * 4 + 3] == 0) maskRow[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), maskRow.begin(), maskRow.end());
  }
  return out;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace artgen
