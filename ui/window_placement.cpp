#include "ui/window_placement.h"

namespace ovelix::ui {

RECT FrameFor(SIZE client, DWORD style, DWORD exStyle, bool hasMenu) {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, hasMenu ? TRUE : FALSE, exStyle);
  return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

RECT CentredOnDesktop(const RECT& window) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2;
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace ovelix::ui
