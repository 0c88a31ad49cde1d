#pragma once

#include "ui/controls/graphic_control.h"

namespace ovelix::ui {

// A lowered frame.
class Bevel : public GraphicControl {
 public:
  void Paint(HDC dc) override {
    RECT bounds = Bounds();
    DrawEdge(dc, &bounds, BDR_SUNKENOUTER, BF_RECT);
  }
};

}  // namespace ovelix::ui
