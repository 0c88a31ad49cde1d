#include "ui/picture_drawing.h"

#include <vector>

#include "core/bmp_file.h"
#include "core/picture.h"
#include "ui/gdi.h"

namespace ovelix::ui {

void DrawPicture(HDC dc, const Picture& picture, const RECT& target, int stretchMode) {
  if (picture.Empty()) return;
  const std::vector<std::uint8_t> info = BitmapInfoBytes(picture);
  const int previousMode = SetStretchBltMode(dc, stretchMode);
  if (stretchMode == HALFTONE) SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                picture.Width(), picture.Height(), picture.Bits(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, previousMode);
}

void DrawPictureTransparent(HDC dc, const Picture& picture, const RECT& target, Color transparent) {
  ScaledPicture(dc, picture, picture.Width(), picture.Height()).DrawTransparent(dc, target, transparent);
}

ScaledPicture::ScaledPicture(HDC dc, const Picture& picture, int width, int height)
    : width_(width), height_(height) {
  if (picture.Empty() || width <= 0 || height <= 0) return;
  MemoryDc memory(CreateCompatibleDC(dc));
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!memory || !bitmap || SelectObject(memory.Get(), bitmap.Get()) == nullptr) return;
  const bool resized = width != picture.Width() || height != picture.Height();
  DrawPicture(memory.Get(), picture, {0, 0, width, height}, resized ? HALFTONE : COLORONCOLOR);
  bitmap_ = std::move(bitmap);
  memory_ = std::move(memory);
}

void ScaledPicture::Draw(HDC dc, int left, int top) const {
  if (memory_) BitBlt(dc, left, top, width_, height_, memory_.Get(), 0, 0, SRCCOPY);
}

void ScaledPicture::DrawTransparent(HDC dc, const RECT& target, Color transparent) const {
  if (!memory_) return;
  // gdi32's own export (since Windows 2000), which msimg32's TransparentBlt forwards to.
  GdiTransparentBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                    memory_.Get(), 0, 0, width_, height_, transparent);
}

}  // namespace ovelix::ui
