#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "core/key_color.h"

namespace ovelix {

// The header of a 32-bit DIB with no colour table; a negative height stands for top-down rows.
inline BITMAPINFOHEADER Dib32Header(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  return header;
}

// The primary screen's pixels, row by row from the top left.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  Color At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

// Copies the primary screen in one blit; empty when the screen cannot be read.
ScreenPixels ReadPrimaryScreen();

}  // namespace ovelix
