#pragma once

#include "core/mix_mode.h"

namespace ovelix {

class Picture;

// Whether the pixel at column x, row y (origin top left) carries the key colour in a mode.
// Only the lowest bit of each coordinate counts.
constexpr bool IsKeyPixel(MixMode mode, int x, int y) {
  const bool oddX = (x & 1) != 0;
  const bool oddY = (y & 1) != 0;
  switch (mode) {
    case MixMode::x: return oddX == oddY;
    case MixMode::sharp: return oddX || oddY;
    case MixMode::full: return true;
    case MixMode::no: return false;
  }
  return false;
}

// The key pixels of one row form an arithmetic run: every `step`-th column from `first`.
// An empty run has step 0.
struct KeyRun {
  int first;
  int step;
};

constexpr KeyRun KeyRunOfRow(MixMode mode, int y) {
  const bool oddY = (y & 1) != 0;
  switch (mode) {
    case MixMode::x: return {oddY ? 1 : 0, 2};
    case MixMode::sharp: return oddY ? KeyRun{0, 1} : KeyRun{1, 2};
    case MixMode::full: return {0, 1};
    case MixMode::no: return {0, 0};
  }
  return {0, 0};
}

// Sets every key pixel of the mode to KeyColor and leaves the others as they are.
void ApplyPattern(Picture& picture, MixMode mode);
// The same in the rows firstRow <= y < lastRow only.
void ApplyPattern(Picture& picture, MixMode mode, int firstRow, int lastRow);

}  // namespace ovelix
