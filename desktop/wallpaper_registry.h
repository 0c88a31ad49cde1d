#pragma once

#include <string>
#include <string_view>

namespace ovelix {

// Where the user's wallpaper settings live, under HKEY_CURRENT_USER. All three values are
// strings; the latter two hold decimal integers.
inline constexpr std::u16string_view DesktopKeyPath = u"Control Panel\\desktop\\";
inline constexpr std::u16string_view WallpaperValue = u"Wallpaper";
inline constexpr std::u16string_view TileWallpaperValue = u"TileWallpaper";
inline constexpr std::u16string_view WallpaperStyleValue = u"WallpaperStyle";

// Each of these opens the key, does its one read or write and closes the key again. The
// tiling and the style are read and written as the texts they are stored as.
std::u16string ReadWallpaperPath();
std::u16string ReadTileWallpaper();
std::u16string ReadWallpaperStyle();
// Fail with "Failed to set data for '%s'" when the registry refuses the write.
void WriteTileWallpaper(std::u16string_view text);
void WriteWallpaperStyle(std::u16string_view text);

}  // namespace ovelix
