#include "core/key_lines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/pattern.h"

namespace ovelix {
namespace {

// Draws the lines as any drawing system draws a horizontal or 45-degree line, counting how
// often each pixel is set; fails on any other line and on a pixel outside the screen.
::testing::AssertionResult CoversExactlyTheKeyPixels(MixMode mode, int width, int height) {
  std::vector<int> hits(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (const KeyLine& line : KeyLines(mode, width, height)) {
    const int dx = line.toX - line.fromX;
    const int dy = line.toY - line.fromY;
    if (dx <= 0 || (dy != 0 && std::abs(dy) != dx)) {
      return ::testing::AssertionFailure()
             << "a line from (" << line.fromX << ", " << line.fromY << ") to (" << line.toX << ", " << line.toY << ")";
    }
    const int stepY = dy == 0 ? 0 : dy / dx;
    for (int i = 0; i < dx; ++i) {
      const int x = line.fromX + i;
      const int y = line.fromY + i * stepY;
      if (x < 0 || x >= width || y < 0 || y >= height) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is off the screen";
      }
      ++hits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool hit =
          hits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] > 0;
      if (hit != IsKeyPixel(mode, x, y)) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is " << (hit ? "" : "not ") << "drawn";
      }
    }
  return ::testing::AssertionSuccess();
}

TEST(KeyLines, DrawExactlyTheKeyPixelsOfEachModeOnScreensOfAnyShape) {
  const struct {
    int width;
    int height;
  } sizes[] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {3, 3}, {7, 2}, {2, 7}, {6, 5}, {5, 6}, {1366, 768}, {1023, 1025}};
  for (const auto& size : sizes) {
    for (const MixMode mode : {MixMode::x, MixMode::sharp, MixMode::full, MixMode::no}) {
      EXPECT_TRUE(CoversExactlyTheKeyPixels(mode, size.width, size.height))
          << size.width << " x " << size.height << ", mode " << static_cast<int>(mode);
    }
  }
}

TEST(KeyLines, AnEmptyScreenHasNone) {
  EXPECT_TRUE(KeyLines(MixMode::x, 0, 768).empty());
  EXPECT_TRUE(KeyLines(MixMode::sharp, 1024, 0).empty());
}

}  // namespace
}  // namespace ovelix
