#pragma once

// Reading the screen from the test process while the program paints on it.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/mix_mode.h"
#include "desktop/tests/screen_capture.h"

namespace ovelix::e2e {

// The screen once it has stopped changing.
ScreenPixels SteadyScreen();

// Whether the screen shows `before` with the mode's key pixels in key colour, outside the
// given rectangle (a control that repaints itself when it is clicked).
::testing::AssertionResult ShowsPatternOver(const ScreenPixels& screen, const ScreenPixels& before, MixMode mode,
                                            const RECT& except = {});

// Whether two readings of the screen are the same, and where not.
::testing::AssertionResult SameScreen(const ScreenPixels& seen, const ScreenPixels& expected);

// Whether two readings of the screen are the same inside a rectangle (screen coordinates).
bool SameIn(const ScreenPixels& seen, const ScreenPixels& expected, const RECT& area);

// The share of key-colour pixels in a rectangle of the screen (screen coordinates).
double KeyShare(const ScreenPixels& screen, const RECT& area);

}  // namespace ovelix::e2e
