#pragma once

#include <string>
#include <string_view>

#include "core/old_rec.h"

namespace ovelix {

// Makes the system use the picture as wallpaper and store the setting in the user profile,
// without broadcasting the change. An empty path reaches the system as a null pointer.
// Answers whether the system took it.
bool ApplyWallpaper(std::u16string_view path);

// Captures the three system colours, then the wallpaper path, tiling and style, then what
// Windows 7 and later keep beside them (their copy of the picture, when the wallpaper is
// that copy, and the values naming its source), in that order; tiling and style are kept
// as the texts found and must be integers. On a failure the capture stops: the fields
// before it keep their values, CapturedCount says how many there are, and the error leaves
// the caller.
void GetOld(TOldRec& rec);

// The error of a wallpaper of the program's that the system would not take.
std::u16string RefusedWallpaperText(std::u16string_view path);

// Applies the mode with this number: writes "TileWallpaper" and "WallpaperStyle", then the
// wallpaper; a picture of the program's that the system refuses fails with
// RefusedWallpaperText. Mode `no` puts back what `rec` captured, the texts exactly as
// found, and only that: first the system's copy of the picture as it was found, last the
// values that name its source. When the system refuses the wallpaper found, its path is
// written into "Wallpaper" directly, so that the next sign-in shows it once its file is
// there again, and the answer is false. Numbers that are no mode change nothing. A refused
// write stops it with the error.
bool SetPict(int number, const TOldRec& rec, std::u16string_view programFolder);

}  // namespace ovelix
