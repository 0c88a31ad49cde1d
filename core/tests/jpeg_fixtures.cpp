#include "core/tests/jpeg_fixtures.h"

#include <cstdlib>

namespace ovelix::testing_support {

std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space, int quality, bool progressive,
                                     const std::function<void(int y, std::uint8_t* row)>& fill) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width * info.input_components));
  for (int y = 0; y < height; ++y) {
    fill(y, row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space, bool progressive) {
  const int components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
  return EncodeJpeg(width, height, space, 100, progressive, [&](int, std::uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = row + x * components;
      const bool left = x < width / 2;
      if (space == JCS_GRAYSCALE) {
        p[0] = left ? 40 : 220;
      } else if (space == JCS_CMYK) {
        p[0] = left ? 255 : 0;  // no cyan in red, all in blue
        p[1] = 0;
        p[2] = left ? 0 : 255;
        p[3] = 255;
      } else {
        p[0] = left ? 255 : 0;
        p[1] = 0;
        p[2] = left ? 0 : 255;
      }
    }
  });
}

std::size_t MarkerAt(const std::vector<std::uint8_t>& bytes, std::uint8_t marker) {
  std::size_t at = 0;
  while (!(bytes[at] == 0xFF && bytes[at + 1] == marker)) ++at;
  return at;
}

std::vector<std::uint8_t> JpegBrokenInItsScan(int width, int height) {
  std::vector<std::uint8_t> bytes = EncodeJpeg(width, height, JCS_RGB, false);
  bytes.resize(MarkerAt(bytes, 0xDA) + 20);
  bytes.insert(bytes.end(), {0xFF, 0xC3, 0x00, 0x02});
  return bytes;
}

}  // namespace ovelix::testing_support
