#include "desktop/screen_painter.h"

#include <cstdint>
#include <vector>

#include "core/key_lines.h"
#include "desktop/gdi_handles.h"

namespace ovelix {

namespace {

// A 32-bit DIB pixel holds blue, green and red from the low byte up.
constexpr Color ColorOfDibPixel(std::uint32_t pixel) {
  return MakeColor(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                   static_cast<std::uint8_t>(pixel));
}

}  // namespace

void PaintScreen(MixMode mode) {
  const ScreenDc screen(GetDC(nullptr));
  if (!screen) return;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (mode == MixMode::full) {  // every pixel: one fill rather than a line per row
    const GdiObject<HBRUSH> key(CreateSolidBrush(KeyColor));
    if (!key) return;
    SelectGuard selected(screen.Get(), key.Get());
    PatBlt(screen.Get(), 0, 0, width, height, PATCOPY);
    return;
  }
  // Lines through the key pixels touch those alone. A pattern brush would have to clear them
  // and then add the key colour, two raster passes over every pixel of the screen.
  const std::vector<KeyLine> lines = KeyLines(mode, width, height);
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 0, KeyColor));  // one pixel wide
  if (lines.empty() || !pen) return;
  std::vector<POINT> points;
  points.reserve(lines.size() * 2);
  for (const KeyLine& line : lines) {
    points.push_back({line.fromX, line.fromY});
    points.push_back({line.toX, line.toY});
  }
  const std::vector<DWORD> pointCounts(lines.size(), 2);
  SelectGuard selected(screen.Get(), pen.Get());
  PolyPolyline(screen.Get(), points.data(), pointCounts.data(), static_cast<DWORD>(pointCounts.size()));
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
  info.bmiHeader = Dib32Header(result.width, -result.height);  // top-down rows
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
