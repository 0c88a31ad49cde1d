#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovelix {

// Where the user's wallpaper settings live, under HKEY_CURRENT_USER. All three values are
// strings; the latter two hold decimal integers.
inline constexpr std::u16string_view DesktopKeyPath = u"Control Panel\\desktop\\";
inline constexpr std::u16string_view WallpaperValue = u"Wallpaper";
inline constexpr std::u16string_view TileWallpaperValue = u"TileWallpaper";
inline constexpr std::u16string_view WallpaperStyleValue = u"WallpaperStyle";

// "WallpaperStyle" of a stretched wallpaper; every other style is written back as 0.
inline constexpr int StretchedStyle = 2;

// Each of these opens the key, does its one read or write and closes the key again.
std::u16string ReadWallpaperPath();
// Fail with "'%s' is not a valid integer value" when the value is no integer.
int ReadTileWallpaper();
bool ReadStretched();
// Fail with "Failed to set data for '%s'" when the registry refuses the write.
void WriteTileWallpaper(std::uint8_t tile);
void WriteWallpaperStyle(bool stretched);

}  // namespace ovelix
