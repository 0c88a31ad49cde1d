#pragma once

#include <cstddef>
#include <vector>

#include "core/key_color.h"
#include "core/mix_mode.h"

namespace ovelix {

// Sets every key pixel of the mode on the primary screen to KeyColor and leaves the other
// pixels as they are, so painting one pattern over another gives their union. The paint
// lasts until windows repaint.
void PaintScreen(MixMode mode);

// Makes every window and the desktop repaint, which wipes whatever was painted.
void RepaintEverything();

// The primary screen's pixels, row by row from the top left.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  Color At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

// Copies the primary screen in one blit; empty when the screen cannot be read.
ScreenPixels ReadPrimaryScreen();

}  // namespace ovelix
