// Under Wine: the composition against its I/O floor, and the per-pixel approach (SetPixel
// into a screen-compatible memory bitmap) against our row-wise patterns.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/compose_workload.h"
#include "core/bmp_file.h"
#include "core/pattern.h"
#include "core/stretch_copy.h"

namespace {

using ovelix::bench::Workload;

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return ovelix::bench::Median(std::move(times));
}

// Both mixed pictures the old way: the wallpaper stretched onto a bitmap compatible with
// the screen, then the key colour set pixel by pixel.
void PerPixel(const ovelix::Picture& wallpaper, int width, int height) {
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HDC dc = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  const std::vector<std::uint8_t> info = ovelix::BitmapInfoBytes(wallpaper);
  for (ovelix::MixMode mode : {ovelix::MixMode::x, ovelix::MixMode::sharp}) {
    StretchDIBits(dc, 0, 0, width, height, 0, 0, wallpaper.Width(), wallpaper.Height(), wallpaper.Bits(),
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (ovelix::IsKeyPixel(mode, x, y)) SetPixel(dc, x, y, ovelix::KeyColor);
  }
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

void RowWise(const ovelix::Picture& wallpaper, int width, int height) {
  ovelix::Picture work = ovelix::Picture::ScreenCompatible(32);
  work.SetSize(width, height);
  for (ovelix::MixMode mode : {ovelix::MixMode::x, ovelix::MixMode::sharp}) {
    ovelix::StretchCopy(work, ovelix::WholeOf(width, height), wallpaper, ovelix::WholeOf(wallpaper.Width(), wallpaper.Height()));
    ovelix::ApplyPattern(work, mode);
  }
}

}  // namespace

int main() {
  struct Size {
    int width, height, wallpaperWidth, wallpaperHeight;
  };
  const Size sizes[] = {{1920, 1080, 1920, 1080}, {1920, 1080, 640, 480}, {3840, 2160, 3840, 2160}, {3840, 2160, 640, 480}};
  std::printf("Composition / I/O floor under Wine (median of 5, target <= 3), and / (I/O floor + first touch of its stores):\n");
  for (const Size& s : sizes) {
    Workload w(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    const double floor = MedianMs(5, [&] { w.IoFloor(); });
    const double touch = MedianMs(5, [&] { w.FirstTouch(); });
    const double compose = MedianMs(5, [&] { w.Compose(); });
    std::printf("  %-24s %7.2f ms / %7.2f ms = %.2f;  / (%.2f + %.2f ms) = %.2f\n",
                ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight).c_str(), compose, floor,
                compose / floor, floor, touch, compose / (floor + touch));
  }
  std::printf("Per-pixel SetPixel approach / ours, both patterns (median of 3):\n");
  for (const Size& s : {sizes[0], sizes[1]}) {
    Workload w(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    const ovelix::Picture wallpaper = ovelix::ReadBmpFile(w.wallpaper.u16string(), 32);
    const double perPixel = MedianMs(3, [&] { PerPixel(wallpaper, s.width, s.height); });
    const double ours = MedianMs(3, [&] { RowWise(wallpaper, s.width, s.height); });
    std::printf("  %-24s %8.1f ms / %6.2f ms = %.0f\n",
                ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight).c_str(), perPixel, ours,
                perPixel / ours);
  }
  return 0;
}
