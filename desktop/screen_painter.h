#pragma once

#include "core/mix_mode.h"

namespace ovelix {

// Sets every key pixel of the mode on the primary screen to KeyColor and leaves the other
// pixels as they are, so painting one pattern over another gives their union. The paint
// lasts until windows repaint.
void PaintScreen(MixMode mode);

// Makes every window and the desktop repaint, which wipes whatever was painted.
void RepaintEverything();

}  // namespace ovelix
