#include <windows.h>

#include <gtest/gtest.h>

#include "core/key_color.h"
#include "desktop/tests/message_pump.h"

namespace {

using ovelix::testing_support::PumpMessages;

constexpr COLORREF Painted = RGB(16, 0, 16);

LRESULT CALLBACK PaintKeyColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(Painted);
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A real top-level window on the virtual display: what it paints is read back from the screen.
TEST(WindowOnScreen, PaintedColourReadsBackFromTheScreen) {
  static_assert(Painted == ovelix::KeyColor);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PaintKeyColour;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"OvelixPaintProbe";
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"probe", WS_POPUP | WS_VISIBLE,
                                40, 30, 120, 80, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);

  COLORREF seen = CLR_INVALID;
  HDC screen = GetDC(nullptr);
  for (int attempt = 0; attempt < 100 && seen != Painted; ++attempt) {
    PumpMessages();
    Sleep(20);
    seen = GetPixel(screen, 100, 70);
  }
  const COLORREF outside = GetPixel(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  DestroyWindow(window);
  UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);

  EXPECT_EQ(seen, Painted);
  EXPECT_NE(outside, Painted);
}

}  // namespace
