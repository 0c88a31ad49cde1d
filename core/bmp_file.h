#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/picture.h"

namespace ovelix {

class ByteSource;

// The compressions an info header names.
inline constexpr std::uint32_t BmpUncompressed = 0;
inline constexpr std::uint32_t BmpRle8 = 1;
inline constexpr std::uint32_t BmpRle4 = 2;
inline constexpr std::uint32_t BmpBitFields = 3;

// Reads a BMP: the file header, the info header, the optional colour masks, the colour
// table and the pixel rows one after another (the header's file size and pixel offset are
// not used). Uncompressed and bit-field pictures keep their own format and row order;
// run-length coded ones are decoded into a store compatible with a screen of `screenDepth`
// bits. An empty source gives an empty picture. Fails with "Stream read error",
// "Bitmap image is not valid" or "Out of system resources". The picture takes the store of
// `donor` when that is big enough.
Picture ReadBmp(ByteSource& in, int screenDepth, Picture&& donor = Picture());
// The same from a file, opened so that others may read it meanwhile but not write; also
// fails with "Cannot open file "%s". %s".
Picture ReadBmpFile(std::u16string_view path, int screenDepth, Picture&& donor = Picture());
Picture ReadBmpBytes(std::span<const std::uint8_t> bytes, int screenDepth);

// Writes a picture with pixels as an uncompressed BMP: the 14-byte file header, the 40-byte
// info header (or the 12-byte core header for a picture read from such a file), the colour
// masks when the picture's are not its depth's usual ones, the colour table, and the rows
// bottom row first, each padded to a multiple of 4 bytes. A picture without pixels writes
// no file. The file replaces the old one only once it is written in full (OutputFile): a
// failure leaves the old file as it was. Fails with "Cannot create file "%s". %s".
void WriteBmpFile(std::u16string_view path, const Picture& picture);
std::vector<std::uint8_t> BmpBytes(const Picture& picture);

// The picture's description as the drawing system takes it (a BITMAPINFO: the 40-byte info
// header with the height negative for top-down stores, the masks when they are not the
// depth's usual ones, the colour table), to go with Bits() for the pixels.
std::vector<std::uint8_t> BitmapInfoBytes(const Picture& picture);

}  // namespace ovelix
