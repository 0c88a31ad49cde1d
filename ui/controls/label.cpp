#include "ui/controls/label.h"

#include "core/platform/wide.h"
#include "ui/gdi.h"

namespace ovelix::ui {

void Label::Create(ControlHost& host, POINT origin, std::u16string text, HFONT font, Color color) {
  text_ = std::move(text);
  font_ = font;
  color_ = color;
  RECT extent{0, 0, 0, 0};
  {
    ScreenDc screen(GetDC(nullptr));
    SelectGuard select(screen.Get(), font_);
    const std::wstring wide = ToWide(text_);
    DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }
  host.AddGraphic(*this);
  SetBounds({origin.x, origin.y, origin.x + extent.right, origin.y + extent.bottom});
}

void Label::Paint(HDC dc) {
  SelectGuard select(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  RECT bounds = Bounds();
  const std::wstring wide = ToWide(text_);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &bounds, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace ovelix::ui
