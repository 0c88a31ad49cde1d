#pragma once

// Painting scopes of the windows, on top of the handle owners of the desktop layer.

#include <windows.h>

#include "desktop/gdi_handles.h"

namespace ovelix::ui {

// BeginPaint and EndPaint around one WM_PAINT, also when painting throws.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return paint_.hdc; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Paints into a memory bitmap and copies the result onto the target at the end, so that a
// control drawn in layers (background, frame, content) does not flicker.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& area)
      : target_(target),
        area_(area),
        memory_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        select_(memory_.Get(), bitmap_.Get()) {
    SetWindowOrgEx(memory_.Get(), area.left, area.top, nullptr);
  }
  ~BackBuffer() {
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.Get(),
           area_.left, area_.top, SRCCOPY);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  HDC Dc() const { return memory_.Get(); }

 private:
  HDC target_;
  RECT area_;
  MemoryDc memory_;
  GdiObject<HBITMAP> bitmap_;
  SelectGuard select_;
};

}  // namespace ovelix::ui
