#include "desktop/tests/screen_capture.h"

#include <cstdint>

#include "desktop/gdi_handles.h"

namespace ovelix {

namespace {

// A 32-bit DIB pixel holds blue, green and red from the low byte up.
constexpr Color ColorOfDibPixel(std::uint32_t pixel) {
  return MakeColor(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                   static_cast<std::uint8_t>(pixel));
}

}  // namespace

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
