#pragma once

// JPEGs made with libjpeg's encoder, for the tests and benchmarks of the JPEG readers.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace ovelix::testing_support {

// `fill(y, row)` writes the components of row y (1 grey, 3 RGB or 4 CMYK bytes a pixel).
std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space, int quality, bool progressive,
                                     const std::function<void(int y, std::uint8_t* row)>& fill);

// Left half red, right half blue; dark and light grey in greyscale; in CMYK the same colours
// as inverted inks, as Adobe's programs store them (libjpeg writes their marker). Quality 100.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space, bool progressive);

// Where the marker starts in a JPEG.
std::size_t MarkerAt(const std::vector<std::uint8_t>& bytes, std::uint8_t marker);

// A JPEG whose header reads and whose scan breaks off after its first bytes with a marker of a
// kind libjpeg does not decode: it fails while its rows are decoded.
std::vector<std::uint8_t> JpegBrokenInItsScan(int width, int height);

}  // namespace ovelix::testing_support
