#include <gtest/gtest.h>

#include "ui/tests/e2e/screen_watch.h"

#include "core/pattern.h"
#include "ui/tests/e2e/program_driver.h"

namespace ovelix::e2e {

ScreenPixels SteadyScreen() {
  ScreenPixels previous = ReadPrimaryScreen();
  for (int attempt = 0; attempt < 50; ++attempt) {
    Sleep(150);
    ScreenPixels now = ReadPrimaryScreen();
    if (now.pixels == previous.pixels) return now;
    previous = std::move(now);
  }
  return previous;
}

::testing::AssertionResult ShowsPatternOver(const ScreenPixels& screen, const ScreenPixels& before, MixMode mode,
                                            const RECT& except) {
  if (screen.width != before.width || screen.height != before.height || screen.pixels.empty()) {
    return ::testing::AssertionFailure() << "the screen could not be read";
  }
  int wrong = 0;
  int firstX = -1;
  int firstY = -1;
  for (int y = 0; y < screen.height; ++y)
    for (int x = 0; x < screen.width; ++x) {
      if (PtInRect(&except, POINT{x, y})) continue;
      const Color expected = IsKeyPixel(mode, x, y) ? KeyColor : before.At(x, y);
      if (screen.At(x, y) != expected && wrong++ == 0) {
        firstX = x;
        firstY = y;
      }
    }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels differ from the pattern of mode "
                                       << static_cast<int>(mode) << ", the first at " << firstX << "," << firstY
                                       << ": " << std::hex << screen.At(firstX, firstY) << " for "
                                       << before.At(firstX, firstY);
}

::testing::AssertionResult SameScreen(const ScreenPixels& seen, const ScreenPixels& expected) {
  return ShowsPatternOver(seen, expected, MixMode::no);
}

bool SameIn(const ScreenPixels& seen, const ScreenPixels& expected, const RECT& area) {
  if (seen.width != expected.width || seen.height != expected.height || seen.pixels.empty()) return false;
  const RECT whole{0, 0, seen.width, seen.height};
  RECT inside;
  IntersectRect(&inside, &area, &whole);
  for (int y = inside.top; y < inside.bottom; ++y)
    for (int x = inside.left; x < inside.right; ++x)
      if (seen.At(x, y) != expected.At(x, y)) return false;
  return true;
}

double KeyShare(const ScreenPixels& screen, const RECT& area) {
  int key = 0;
  int all = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      ++all;
      key += screen.At(x, y) == KeyColor ? 1 : 0;
    }
  return all == 0 ? 0.0 : static_cast<double>(key) / all;
}

}  // namespace ovelix::e2e
