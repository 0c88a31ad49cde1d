#include "desktop/screen_painter.h"

#include <vector>

#include "core/key_color.h"
#include "core/key_lines.h"
#include "desktop/gdi_handles.h"

namespace ovelix {

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

}  // namespace ovelix
