#pragma once

#include <windows.h>

namespace ovelix::ui {

// The window rectangle, at the origin, of a window with this client size and these styles.
RECT FrameFor(SIZE client, DWORD style, DWORD exStyle, bool hasMenu);

// The same rectangle moved to the centre of the whole desktop, across all screens.
RECT CentredOnDesktop(const RECT& window);

}  // namespace ovelix::ui
