#include "app/picture_decoding.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <png.h>

namespace app {
namespace {

DecodedPicture Failure(std::string why) {
  DecodedPicture result;
  result.error = std::move(why);
  return result;
}

bool SizeAcceptable(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// libjpeg reports fatal errors through error_exit, which must not return: jump back to the
// decoder with the message kept.
struct JpegErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
  auto* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
  (*info->err->format_message)(info, trap->message);
  std::longjmp(trap->jump, 1);
}

void JpegSilentOutput(j_common_ptr) {}

// Everything the JPEG decoder touches after setjmp lives here, outside the jumping frame's
// registers.
struct JpegSession {
  jpeg_decompress_struct info;
  JpegErrorTrap trap;
  std::vector<uint8_t> row;
  DecodedPicture result;
};

}  // namespace

DecodedPicture DecodePng(std::string_view fileBytes) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, fileBytes.data(), fileBytes.size())) {
    return Failure(std::string("PNG header: ") + image.message);
  }
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return Failure("PNG size out of range");
  }
  DecodedPicture result;
  result.picture.width = static_cast<int>(image.width);
  result.picture.height = static_cast<int>(image.height);
  result.picture.sourceChannels = static_cast<int>(PNG_IMAGE_SAMPLE_CHANNELS(image.format));
  image.format = PNG_FORMAT_RGBA;
  result.picture.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.picture.pixels.data(), 0, nullptr)) {
    // finish_read frees the image's resources itself when it fails.
    return Failure(std::string("PNG data: ") + image.message);
  }
  result.ok = true;
  return result;
}

DecodedPicture DecodeJpeg(std::string_view fileBytes) {
  auto session = std::make_unique<JpegSession>();
  session->info.err = jpeg_std_error(&session->trap.manager);
  session->trap.manager.error_exit = JpegErrorExit;
  session->trap.manager.output_message = JpegSilentOutput;
  jpeg_create_decompress(&session->info);
  if (setjmp(session->trap.jump)) {
    jpeg_destroy_decompress(&session->info);
    return Failure(std::string("JPEG: ") + session->trap.message);
  }
  jpeg_mem_src(&session->info, reinterpret_cast<const unsigned char*>(fileBytes.data()),
               static_cast<unsigned long>(fileBytes.size()));
  jpeg_read_header(&session->info, TRUE);
  if (!SizeAcceptable(session->info.image_width, session->info.image_height)) {
    jpeg_destroy_decompress(&session->info);
    return Failure("JPEG size out of range");
  }
  session->result.picture.sourceChannels = session->info.num_components;
  // Grey stays one channel here and is spread to RGB below; everything else comes as RGB.
  const bool grey = session->info.jpeg_color_space == JCS_GRAYSCALE;
  session->info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&session->info);
  const int width = static_cast<int>(session->info.output_width);
  const int height = static_cast<int>(session->info.output_height);
  const int channels = session->info.output_components;
  RgbaPicture& picture = session->result.picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * height * 4, 255);
  session->row.resize(static_cast<size_t>(width) * channels);
  while (session->info.output_scanline < session->info.output_height) {
    const size_t y = session->info.output_scanline;
    JSAMPROW row = session->row.data();
    if (jpeg_read_scanlines(&session->info, &row, 1) != 1) break;
    uint8_t* out = &picture.pixels[y * width * 4];
    for (int x = 0; x < width; ++x) {
      const uint8_t* in = &session->row[static_cast<size_t>(x) * channels];
      out[x * 4 + 0] = in[0];
      out[x * 4 + 1] = channels == 1 ? in[0] : in[1];
      out[x * 4 + 2] = channels == 1 ? in[0] : in[2];
    }
  }
  jpeg_finish_decompress(&session->info);
  // libjpeg only warns about damaged or missing data and fills in grey; that is no picture.
  const bool damaged = session->trap.manager.num_warnings > 0;
  jpeg_destroy_decompress(&session->info);
  if (damaged) return Failure("JPEG data damaged or truncated");
  session->result.ok = true;
  return std::move(session->result);
}

DecodedPicture DecodePicture(std::string_view fileBytes) {
  static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (fileBytes.size() >= 8 && std::memcmp(fileBytes.data(), kPngSignature, 8) == 0) {
    return DecodePng(fileBytes);
  }
  if (fileBytes.size() >= 3 && static_cast<unsigned char>(fileBytes[0]) == 0xFF &&
      static_cast<unsigned char>(fileBytes[1]) == 0xD8 &&
      static_cast<unsigned char>(fileBytes[2]) == 0xFF) {
    return DecodeJpeg(fileBytes);
  }
  return Failure("neither PNG nor JPEG");
}

}  // namespace app
