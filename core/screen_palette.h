#pragma once

#include <vector>

#include "core/picture.h"

namespace ovelix {

// The colour table of a screen-compatible store at 8 or 4 bits per pixel: the system's
// static colours (the 16 VGA colours and four more at 8 bits) and, at 8 bits, a 6 x 6 x 6
// colour cube and a grey ramp in between. White is always in it.
std::vector<PaletteEntry> ScreenPalette(int bitsPerPixel);

// The store format for a screen of this colour depth.
PixelFormat ScreenFormat(int depth);

}  // namespace ovelix
