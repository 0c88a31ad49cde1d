#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <utility>

#include "core/pattern.h"
#include "desktop/gdi_handles.h"
#include "desktop/screen_painter.h"
#include "desktop/tests/message_pump.h"
#include "desktop/tests/screen_capture.h"

namespace ovelix {
namespace {

// A different colour for neighbouring pixels, never the key colour (red is at least 128).
Color Background(int x, int y) {
  return MakeColor(static_cast<std::uint8_t>(0x80 | (x * 3 & 0x7F)), static_cast<std::uint8_t>(y * 5),
                   static_cast<std::uint8_t>(x + y));
}

bool HasNoKeyPixel(const ScreenPixels& screen) {
  for (const Color pixel : screen.pixels)
    if (pixel == KeyColor) return false;
  return true;
}

// Handles this thread's messages and asks every 50 ms, for up to five seconds.
bool PumpUntil(const std::function<bool()>& condition) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    testing_support::PumpMessages();
    Sleep(50);
    if (condition()) return true;
  }
  return false;
}

// Waits until the screen holds no key pixel, as after the windows and the desktop repainted.
bool WaitUntilRepainted() {
  return PumpUntil([] { return HasNoKeyPixel(ReadPrimaryScreen()); });
}

// Waits until two readings of the screen a moment apart are the same.
bool WaitUntilSteady() {
  ScreenPixels previous = ReadPrimaryScreen();
  return PumpUntil([&] {
    ScreenPixels now = ReadPrimaryScreen();
    const bool same = now.pixels == previous.pixels;
    previous = std::move(now);
    return same;
  });
}

class ScreenPainter : public ::testing::Test {
 protected:
  void SetUp() override {
    // Let repaints that earlier tests caused (system colour changes) end first.
    RepaintEverything();
    ASSERT_TRUE(WaitUntilRepainted());
    ASSERT_TRUE(WaitUntilSteady());
    LayBackground();
  }

  void TearDown() override {
    RepaintEverything();
    EXPECT_TRUE(WaitUntilRepainted());
  }

  static void LayBackground() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const Color c = Background(x, y);
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
            std::uint32_t{BlueOf(c)} | (std::uint32_t{GreenOf(c)} << 8) | (std::uint32_t{RedOf(c)} << 16);
      }
    BITMAPINFO info{};
    info.bmiHeader = Dib32Header(width, -height);
    const ScreenDc screen(GetDC(nullptr));
    ASSERT_EQ(SetDIBitsToDevice(screen.Get(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                                0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS),
              height);
    GdiFlush();
  }

  // Compares every pixel of the primary screen: key colour where `isKey` holds, the
  // background elsewhere.
  static ::testing::AssertionResult ScreenShows(const std::function<bool(int, int)>& isKey) {
    const ScreenPixels screen = ReadPrimaryScreen();
    if (screen.width != GetSystemMetrics(SM_CXSCREEN) || screen.height != GetSystemMetrics(SM_CYSCREEN)) {
      return ::testing::AssertionFailure() << "the screen could not be read";
    }
    long wrong = 0;
    std::ostringstream first;
    for (int y = 0; y < screen.height; ++y)
      for (int x = 0; x < screen.width; ++x) {
        const Color expected = isKey(x, y) ? KeyColor : Background(x, y);
        if (screen.At(x, y) == expected) continue;
        if (wrong++ == 0) first << "(" << x << ", " << y << ") is " << screen.At(x, y) << ", expected " << expected;
      }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels wrong, the first " << first.str();
  }
};

TEST_F(ScreenPainter, PaintsExactlyTheKeyPixelsOfEachMode) {
  for (const MixMode mode : {MixMode::x, MixMode::sharp, MixMode::full}) {
    SCOPED_TRACE(static_cast<int>(mode));
    LayBackground();
    PaintScreen(mode);
    EXPECT_TRUE(ScreenShows([mode](int x, int y) { return IsKeyPixel(mode, x, y); }));
  }
}

TEST_F(ScreenPainter, PaintingOnePatternOverAnotherGivesTheUnion) {
  for (const auto& [first, second] : {std::pair{MixMode::x, MixMode::sharp}, std::pair{MixMode::sharp, MixMode::x}}) {
    SCOPED_TRACE(static_cast<int>(first));
    LayBackground();
    PaintScreen(first);
    PaintScreen(first);
    EXPECT_TRUE(ScreenShows([first](int x, int y) { return IsKeyPixel(first, x, y); }));
    PaintScreen(second);
    EXPECT_TRUE(
        ScreenShows([](int x, int y) { return IsKeyPixel(MixMode::x, x, y) || IsKeyPixel(MixMode::sharp, x, y); }));
  }
}

TEST_F(ScreenPainter, RepaintingEverythingWipesThePaint) {
  PaintScreen(MixMode::full);
  ASSERT_TRUE(ScreenShows([](int, int) { return true; }));
  RepaintEverything();
  EXPECT_TRUE(WaitUntilRepainted());
}

}  // namespace
}  // namespace ovelix
