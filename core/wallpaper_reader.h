#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/picture.h"
#include "core/picture_format.h"

namespace ovelix {

class ByteSource;

// What a wallpaper file holds, told by its content, whatever its name: a picture read whole,
// or a JPEG's bytes, decoded as they are needed (TakePicture, JpegRows).
struct WallpaperContent {
  PictureFormat format = PictureFormat::Bmp;
  Picture picture;                 // of every format but JPEG
  std::vector<std::uint8_t> jpeg;  // a JPEG's bytes
};

// Reads a wallpaper: a BMP (and whatever is no other picture) exactly as the BMP reader reads
// it, with its errors, run-length coded ones into a store compatible with a screen of
// `screenDepth` bits; a JPEG's bytes, whose decoding fails with "JPEG error #%d"; a PNG, GIF
// or TIFF with the system's decoder (DecodeWithSystem), to 24-bit colour.
WallpaperContent ReadWallpaper(ByteSource& in, int screenDepth);
// The same from a file, opened so that others may read it meanwhile but not write; also
// fails with "Cannot open file "%s". %s".
WallpaperContent ReadWallpaperFile(std::u16string_view path, int screenDepth);
WallpaperContent ReadWallpaperBytes(std::span<const std::uint8_t> bytes, int screenDepth);

// The content's picture, taken out of it; a JPEG is decoded whole to 24-bit colour at the
// smallest of libjpeg's scales that still covers coverWidth x coverHeight (DecodeJpeg), and
// its bytes stay.
Picture TakePicture(WallpaperContent& content, int coverWidth, int coverHeight);

}  // namespace ovelix
