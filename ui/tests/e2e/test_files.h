#pragma once

// Small files for the program's tests, written and read here byte by byte, independently
// of the program's own picture code.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/key_color.h"

namespace ovelix::e2e {

// A whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

// A 24-bit bottom-up BMP whose pixel (x, y) has the colour colorAt(x, y).
void WriteBmp24(const std::wstring& path, int width, int height, const std::function<Color(int, int)>& colorAt);

// A BMP as the program writes it: 54-byte header, 32 bits per pixel, bottom-up rows.
struct Bmp32 {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rows;  // top to bottom, 0x00RRGGBB as stored

  bool Read(const std::wstring& path);
  Color At(int x, int y) const;
};

bool FileExists(const std::wstring& path);
std::uint64_t FileSize(const std::wstring& path);

// A folder for the wallpapers of the tests.
std::wstring WallpaperFolder();

}  // namespace ovelix::e2e
