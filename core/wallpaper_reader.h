#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/picture.h"
#include "core/picture_format.h"

namespace ovelix {

class ByteSource;

// What reading a wallpaper needs besides its bytes.
struct WallpaperReading {
  int screenDepth = 32;  // for run-length coded BMPs, decoded into a screen-compatible store
  // The size the picture will be stretched over: a JPEG is decoded at the smallest of
  // libjpeg's scales that still covers it.
  int coverWidth = 0;
  int coverHeight = 0;
};

struct WallpaperPicture {
  Picture picture;
  PictureFormat format = PictureFormat::Bmp;
  std::vector<std::uint8_t> jpeg;  // a JPEG's bytes, for a preview that decodes them at full size
};

// Reads a wallpaper by what it holds, whatever its name: a BMP (and whatever is no other
// picture) exactly as the BMP reader reads it, with its errors; a JPEG with libjpeg, to
// 24-bit colour, failing with "JPEG error #%d"; a PNG, GIF or TIFF with the system's decoder
// (DecodeWithSystem), to 24-bit colour.
WallpaperPicture ReadWallpaper(ByteSource& in, const WallpaperReading& how);
// The same from a file, opened so that others may read it meanwhile but not write; also
// fails with "Cannot open file "%s". %s".
WallpaperPicture ReadWallpaperFile(std::u16string_view path, const WallpaperReading& how);
WallpaperPicture ReadWallpaperBytes(std::span<const std::uint8_t> bytes, const WallpaperReading& how);

}  // namespace ovelix
