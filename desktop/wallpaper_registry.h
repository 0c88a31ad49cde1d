#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/old_rec.h"

namespace ovelix {

// Where the user's wallpaper settings live, under HKEY_CURRENT_USER. All three values are
// strings; the latter two hold decimal integers.
inline constexpr std::u16string_view DesktopKeyPath = u"Control Panel\\desktop\\";
inline constexpr std::u16string_view WallpaperValue = u"Wallpaper";
inline constexpr std::u16string_view TileWallpaperValue = u"TileWallpaper";
inline constexpr std::u16string_view WallpaperStyleValue = u"WallpaperStyle";

// Where Windows 7 and later name the picture that their copy of the wallpaper was made from:
// "WallpaperSource" (Windows 7), and the binary "TranscodedImageCache" beside "Wallpaper"
// (Windows 8 and later).
inline constexpr std::u16string_view WallpaperSourceKeyPath = u"Software\\Microsoft\\Internet Explorer\\Desktop\\General";
inline constexpr std::u16string_view WallpaperSourceValue = u"WallpaperSource";
inline constexpr std::u16string_view TranscodedImageCacheValue = u"TranscodedImageCache";

// Each of these opens the key, does its one read or write and closes the key again. The
// tiling and the style are read and written as the texts they are stored as.
std::u16string ReadWallpaperPath();
std::u16string ReadTileWallpaper();
std::u16string ReadWallpaperStyle();
// Fail with "Failed to set data for '%s'" when the registry refuses the write.
void WriteWallpaperPath(std::u16string_view path);
void WriteTileWallpaper(std::u16string_view text);
void WriteWallpaperStyle(std::u16string_view text);

// As stored, whatever their type; nothing when they are not there.
std::optional<FoundValue> ReadWallpaperSource();
std::optional<FoundValue> ReadTranscodedImageCache();
void WriteWallpaperSource(const FoundValue& value);
void WriteTranscodedImageCache(const FoundValue& value);

}  // namespace ovelix
