#pragma once

#include "core/picture.h"

namespace ovelix::ui {

// A BMP picture built into the program, read in the screen's colour depth.
Picture LoadResourcePicture(int id);

// The screen's colour depth in bits per pixel.
int ScreenColorDepth();

}  // namespace ovelix::ui
