#pragma once

#include <windows.h>

#include "core/key_color.h"

namespace ovelix {
class Picture;
}

namespace ovelix::ui {

// Draws the whole picture onto the target rectangle, scaled with the given stretch mode.
void DrawPicture(HDC dc, const Picture& picture, const RECT& target, int stretchMode);

// Draws it leaving out every pixel of the transparent colour (a button glyph's background).
void DrawPictureTransparent(HDC dc, const Picture& picture, const RECT& target, Color transparent);

}  // namespace ovelix::ui
