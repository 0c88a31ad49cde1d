// The screen painter against the full fill, the two pattern passes it made before, and the
// per-pixel way (one SetPixel per key pixel, column by column), on the whole primary screen,
// in the same run. PaintScreen and the per-pixel way must leave the same pixels.
// Then the main window's repaint (window_repaint_bench.cpp), the other painting users wait for.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "bench/compose_workload.h"
#include "bench/window_repaint_bench.h"
#include "core/pattern.h"
#include "desktop/gdi_handles.h"
#include "desktop/screen_painter.h"
#include "desktop/tests/screen_capture.h"

namespace {

using namespace ovelix;
using ovelix::bench::Median;

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

// An 8 x 8 brush: `key` at the mode's key pixels, `other` elsewhere.
GdiObject<HBRUSH> PatternBrush(MixMode mode, Color key, Color other) {
  struct PackedDib {
    BITMAPINFOHEADER header;
    std::uint32_t pixels[64];
  } dib{Dib32Header(8, 8), {}};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const Color color = IsKeyPixel(mode, x, y) ? key : other;
      // Bottom-up rows: the first row in memory is the brush's last.
      dib.pixels[(7 - y) * 8 + x] = std::uint32_t{BlueOf(color)} | (std::uint32_t{GreenOf(color)} << 8) |
                                    (std::uint32_t{RedOf(color)} << 16);
    }
  return GdiObject<HBRUSH>(CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS));
}

// The way before the lines: the key pixels cleared, then the key colour added, each with a
// pattern brush over the whole screen.
void PaintWithTwoPatternPasses(MixMode mode) {
  constexpr DWORD DestinationAndBrush = 0x00A000C9;
  constexpr DWORD DestinationOrBrush = 0x00FA0089;
  const ScreenDc screen(GetDC(nullptr));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  SetBrushOrgEx(screen.Get(), 0, 0, nullptr);
  const GdiObject<HBRUSH> clearKeyPixels = PatternBrush(mode, 0x000000, White);
  const GdiObject<HBRUSH> addKeyColor = PatternBrush(mode, KeyColor, 0x000000);
  for (const auto& [brush, rop] : {std::pair{clearKeyPixels.Get(), DestinationAndBrush},
                                   std::pair{addKeyColor.Get(), DestinationOrBrush}}) {
    SelectGuard selected(screen.Get(), brush);
    PatBlt(screen.Get(), 0, 0, width, height, rop);
  }
}

// White with a coloured grid, so that a pixel left alone differs from a cleared one.
void LayBackground() {
  const ScreenDc screen(GetDC(nullptr));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  PatBlt(screen.Get(), 0, 0, width, height, WHITENESS);
  const GdiObject<HBRUSH> grid(CreateHatchBrush(HS_DIAGCROSS, RGB(200, 120, 40)));
  SetBkMode(screen.Get(), TRANSPARENT);
  SelectGuard selected(screen.Get(), grid.Get());
  PatBlt(screen.Get(), 0, 0, width, height, PATCOPY);
}

}  // namespace

int main() {
  constexpr int Repeats = 31;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  bool allSame = true;
  const char* const names[] = {"", "x", "#", "full"};
  for (const MixMode mode : {MixMode::x, MixMode::sharp, MixMode::full}) {
    LayBackground();
    const double perPixel = TimeOnce([mode] { PaintPixelByPixel(mode); });
    const ScreenPixels expected = ReadPrimaryScreen();
    LayBackground();
    PaintScreen(mode);
    const bool same = ReadPrimaryScreen().pixels == expected.pixels;
    allSame = allSame && same;

    // Taken in turns, so that the load of the machine weighs on all alike.
    std::vector<double> ours;
    std::vector<double> fills;
    std::vector<double> twoPasses;
    for (int i = 0; i < Repeats; ++i) {
      ours.push_back(TimeOnce([mode] { PaintScreen(mode); }));
      fills.push_back(TimeOnce([] { PaintScreen(MixMode::full); }));
      if (mode != MixMode::full) twoPasses.push_back(TimeOnce([mode] { PaintWithTwoPatternPasses(mode); }));
    }
    const double median = Median(ours);
    const double fill = Median(fills);
    std::printf("screen paint %dx%d, mode %s: PaintScreen %.3f ms (median of %d) = %.1fx the full fill (%.3f ms)",
                width, height, names[static_cast<int>(mode)], median, Repeats, median / fill, fill);
    if (!twoPasses.empty()) std::printf(", two pattern passes as before %.3f ms", Median(twoPasses));
    std::printf("; SetPixel loop %.1f ms = %.0fx PaintScreen; %s\n", perPixel, perPixel / median,
                same ? "same pixels" : "DIFFERENT PIXELS");
  }
  RepaintEverything();
  const bool repainted = bench::BenchWindowRepaint();
  return allSame && repainted ? 0 : 1;
}
