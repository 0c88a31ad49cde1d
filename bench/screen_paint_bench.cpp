// The screen painter against the per-pixel way (one SetPixel per key pixel, column by
// column), on the whole primary screen, in the same run. Both must leave the same pixels.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/pattern.h"
#include "desktop/gdi_handles.h"
#include "desktop/screen_painter.h"

namespace {

using namespace ovelix;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Drawing on the screen may still be queued when the call returns; reading a pixel back
// waits until everything drawn before it is on the screen.
void WaitUntilDrawn() {
  const ScreenDc screen(GetDC(nullptr));
  GetPixel(screen.Get(), GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

template <typename Paint>
double TimeOnce(Paint&& paint) {
  WaitUntilDrawn();
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  paint();
  WaitUntilDrawn();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

void PaintPixelByPixel(MixMode mode) {
  const ScreenDc screen(GetDC(nullptr));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (IsKeyPixel(mode, x, y)) SetPixel(screen.Get(), x, y, KeyColor);
}

void ClearScreen() {
  const ScreenDc screen(GetDC(nullptr));
  PatBlt(screen.Get(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), BLACKNESS);
}

}  // namespace

int main() {
  constexpr int Repeats = 31;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  bool allSame = true;
  for (const MixMode mode : {MixMode::x, MixMode::sharp, MixMode::full}) {
    ClearScreen();
    const double perPixel = TimeOnce([mode] { PaintPixelByPixel(mode); });
    const ScreenPixels expected = ReadPrimaryScreen();

    ClearScreen();
    PaintScreen(mode);
    const bool same = ReadPrimaryScreen().pixels == expected.pixels;
    allSame = allSame && same;

    std::vector<double> ours;
    for (int i = 0; i < Repeats; ++i) ours.push_back(TimeOnce([mode] { PaintScreen(mode); }));
    std::sort(ours.begin(), ours.end());
    const double median = ours[ours.size() / 2];
    std::printf("screen paint %dx%d, mode %d: PaintScreen %.3f ms (median of %d), SetPixel loop %.1f ms, "
                "%.0fx faster, %s\n",
                width, height, static_cast<int>(mode), median, Repeats, perPixel, perPixel / median,
                same ? "same pixels" : "DIFFERENT PIXELS");
  }
  RepaintEverything();
  return allSame ? 0 : 1;
}
