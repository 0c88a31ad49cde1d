#pragma once

#include <vector>

#include "core/mix_mode.h"

namespace ovelix {

// A one-pixel line from (fromX, fromY) up to but not including (toX, toY), horizontal or at
// 45 degrees: the only lines that every drawing system draws through the same pixels.
struct KeyLine {
  int fromX;
  int fromY;
  int toX;
  int toY;
};

// Lines over exactly the key pixels of a mode on a width x height screen, none reaching
// outside it: whole rows, and the anti-diagonals (x + y constant) whose pixels alternate with
// the others'. Drawing them sets the key pixels only, in one pass over those pixels.
std::vector<KeyLine> KeyLines(MixMode mode, int width, int height);

}  // namespace ovelix
