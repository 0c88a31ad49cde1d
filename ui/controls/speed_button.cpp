#include "ui/controls/speed_button.h"

#include "core/platform/wide.h"
#include "ui/gdi.h"
#include "ui/picture_drawing.h"

namespace ovelix::ui {

void SpeedButton::Create(ControlHost& host, const RECT& bounds, std::u16string caption, HFONT font, Color color,
                         const Scale& scale) {
  caption_ = std::move(caption);
  font_ = font;
  color_ = color;
  scale_ = scale;
  host.AddGraphic(*this);
  SetBounds(bounds);
}

void SpeedButton::Paint(HDC dc) {
  RECT face = Bounds();
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed_ ? DFCS_PUSHED : 0));
  const int shift = pressed_ ? 1 : 0;

  SelectGuard select(dc, font_);
  const std::wstring text = ToWide(caption_);
  SIZE textSize{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
  const int glyphWidth = glyph_.Empty() ? 0 : scale_(glyph_.Width());
  const int glyphHeight = glyph_.Empty() ? 0 : scale_(glyph_.Height());
  const int spacing = glyph_.Empty() ? 0 : scale_(4);
  // Glyph and caption are centred together, the glyph on the left.
  const RECT& bounds = Bounds();
  const int left = (bounds.left + bounds.right - (glyphWidth + spacing + textSize.cx)) / 2 + shift;
  const int middle = (bounds.top + bounds.bottom) / 2 + shift;
  if (!glyph_.Empty()) {
    const RECT glyphRect{left, middle - glyphHeight / 2, left + glyphWidth, middle - glyphHeight / 2 + glyphHeight};
    DrawPictureTransparent(dc, glyph_, glyphRect, glyph_.GetPixel(0, glyph_.Height() - 1));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  TextOutW(dc, left + glyphWidth + spacing, middle - textSize.cy / 2, text.c_str(), static_cast<int>(text.size()));
}

void SpeedButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate();
  if (HWND host = HostWindow()) UpdateWindow(host);
}

void SpeedButton::MouseDown(POINT) { SetPressed(true); }

void SpeedButton::MouseMove(POINT point) { SetPressed(PtInRect(&Bounds(), point) != FALSE); }

void SpeedButton::MouseUp(POINT point, bool inside) {
  SetPressed(false);
  GraphicControl::MouseUp(point, inside);
}

}  // namespace ovelix::ui
