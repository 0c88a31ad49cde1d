#include "desktop/screen_painter.h"

#include <array>
#include <cstdint>

#include "core/pattern.h"
#include "desktop/gdi_handles.h"

namespace ovelix {

namespace {

// Raster operations that combine the destination with the brush only.
constexpr DWORD DestinationAndBrush = 0x00A000C9;
constexpr DWORD DestinationOrBrush = 0x00FA0089;

constexpr int BrushSize = 8;

// A 32-bit DIB pixel holds blue, green and red from the low byte up.
constexpr std::uint32_t DibPixelOf(Color color) {
  return std::uint32_t{BlueOf(color)} | (std::uint32_t{GreenOf(color)} << 8) |
         (std::uint32_t{RedOf(color)} << 16);
}

constexpr Color ColorOfDibPixel(std::uint32_t pixel) {
  return MakeColor(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                   static_cast<std::uint8_t>(pixel));
}

BITMAPINFOHEADER DibHeader(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  return header;
}

// An 8 × 8 brush, whose pattern repeats every second row and column of the screen: `key`
// at the mode's key pixels, `other` elsewhere.
GdiObject<HBRUSH> PatternBrush(MixMode mode, Color key, Color other) {
  struct PackedDib {
    BITMAPINFOHEADER header;
    std::array<std::uint32_t, BrushSize * BrushSize> pixels;
  } dib{DibHeader(BrushSize, BrushSize), {}};
  for (int y = 0; y < BrushSize; ++y) {
    for (int x = 0; x < BrushSize; ++x) {
      // Bottom-up rows: the first row in memory is the brush's last.
      dib.pixels[static_cast<std::size_t>((BrushSize - 1 - y) * BrushSize + x)] =
          DibPixelOf(IsKeyPixel(mode, x, y) ? key : other);
    }
  }
  return GdiObject<HBRUSH>(CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS));
}

void FillScreen(HDC screen, int width, int height, HBRUSH brush, DWORD rop) {
  SelectGuard selected(screen, brush);
  PatBlt(screen, 0, 0, width, height, rop);
}

}  // namespace

void PaintScreen(MixMode mode) {
  const ScreenDc screen(GetDC(nullptr));
  if (!screen) return;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (mode == MixMode::full) {
    const GdiObject<HBRUSH> key(CreateSolidBrush(KeyColor));
    if (key) FillScreen(screen.Get(), width, height, key.Get(), PATCOPY);
    return;
  }
  // Brush patterns start at the screen's origin, so the brush's (0, 0) lands on pixel (0, 0).
  SetBrushOrgEx(screen.Get(), 0, 0, nullptr);
  // First every key pixel to zero, then the key colour into those zeros only.
  const GdiObject<HBRUSH> clearKeyPixels = PatternBrush(mode, 0x000000, White);
  const GdiObject<HBRUSH> addKeyColor = PatternBrush(mode, KeyColor, 0x000000);
  if (!clearKeyPixels || !addKeyColor) return;
  FillScreen(screen.Get(), width, height, clearKeyPixels.Get(), DestinationAndBrush);
  FillScreen(screen.Get(), width, height, addKeyColor.Get(), DestinationOrBrush);
}

// What invalidating no window with erasing means: every window and the desktop, frames
// included. Spelled out because Wine ignores the short form for other processes' windows.
void RepaintEverything() {
  RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

ScreenPixels ReadPrimaryScreen() {
  const ScreenDc screen(GetDC(nullptr));
  if (!screen) return {};
  ScreenPixels result;
  result.width = GetSystemMetrics(SM_CXSCREEN);
  result.height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(result.width, -result.height);  // top-down rows
  void* bits = nullptr;
  const GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDc memory(CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory) return {};
  {
    SelectGuard selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, result.width, result.height, screen.Get(), 0, 0, SRCCOPY)) return {};
  }
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  const auto count = static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height);
  result.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) result.pixels[i] = ColorOfDibPixel(source[i]);
  return result;
}

}  // namespace ovelix
