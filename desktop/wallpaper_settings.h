#pragma once

#include <string_view>

#include "core/old_rec.h"

namespace ovelix {

// Makes the system use the picture as wallpaper and store the setting in the user profile,
// without broadcasting the change. An empty path reaches the system as a null pointer.
void ApplyWallpaper(std::u16string_view path);

// Captures the three system colours, then the wallpaper path, tiling and style, in that
// order; tiling and style are kept as the texts found and must be integers. On a failure
// the capture stops: the fields before it keep their values, CapturedCount says how many
// there are, and the error leaves the caller.
void GetOld(TOldRec& rec);

// Applies the mode with this number: writes "TileWallpaper" and "WallpaperStyle", then the
// wallpaper. Mode `no` puts back what `rec` captured, the texts exactly as found, and only
// that. Numbers that are no mode change nothing. A refused write stops it with the error.
void SetPict(int number, const TOldRec& rec, std::u16string_view programFolder);

}  // namespace ovelix
