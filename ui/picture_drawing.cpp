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
  if (picture.Empty()) return;
  MemoryDc memory(CreateCompatibleDC(dc));
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, picture.Width(), picture.Height()));
  SelectGuard select(memory.Get(), bitmap.Get());
  DrawPicture(memory.Get(), picture, {0, 0, picture.Width(), picture.Height()}, COLORONCOLOR);
  TransparentBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, memory.Get(),
                 0, 0, picture.Width(), picture.Height(), transparent);
}

}  // namespace ovelix::ui
