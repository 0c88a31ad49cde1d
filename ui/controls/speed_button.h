#pragma once

#include <string>

#include "core/picture.h"
#include "ui/controls/graphic_control.h"
#include "ui/dpi.h"
#include "ui/fonts.h"

namespace ovelix::ui {

// A push button without a window: it never takes the keyboard focus. It may carry a glyph
// left of its caption; the glyph's bottom-left pixel gives its transparent colour.
class SpeedButton : public GraphicControl {
 public:
  void Create(ControlHost& host, const RECT& bounds, std::u16string caption, HFONT font, Color color,
              const Scale& scale);
  void SetGlyph(Picture glyph) { glyph_ = std::move(glyph); }
  ControlRole Role() const override { return ControlRole::PushButton; }
  std::u16string_view Name() const override { return caption_; }

  void Paint(HDC dc) override;
  void MouseDown(POINT point) override;
  void MouseMove(POINT point) override;
  void MouseUp(POINT point, bool inside) override;

 private:
  void SetPressed(bool pressed);

  std::u16string caption_;
  HFONT font_ = nullptr;
  Color color_ = 0;
  Picture glyph_;
  Scale scale_;
  bool pressed_ = false;
};

}  // namespace ovelix::ui
