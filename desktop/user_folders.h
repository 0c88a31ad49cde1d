#pragma once

#include <string>

namespace ovelix {

// The user's roaming application data folder ("%APPDATA%"), without a trailing backslash;
// empty when the system names none.
std::u16string UserAppDataFolder();

// Where Windows 7 and later keep their copy of the wallpaper ("TranscodedWallpaper",
// "TranscodedWallpaper.jpg", the slideshow's "CachedFiles").
std::u16string ThemesFolder();

}  // namespace ovelix
