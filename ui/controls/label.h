#pragma once

#include <string>

#include "ui/controls/graphic_control.h"
#include "ui/fonts.h"

namespace ovelix::ui {

// A transparent text label that sizes itself to its text.
class Label : public GraphicControl {
 public:
  // `origin` is the label's top left in host pixels; the size follows from the text.
  void Create(ControlHost& host, POINT origin, std::u16string text, HFONT font, Color color);
  ControlRole Role() const override { return ControlRole::StaticText; }
  std::u16string_view Name() const override { return text_; }
  void Paint(HDC dc) override;

 private:
  std::u16string text_;
  HFONT font_ = nullptr;
  Color color_ = 0;
};

}  // namespace ovelix::ui
