#pragma once

#include "ui/controls/graphic_control.h"

namespace ovelix::ui {

// A lowered frame around controls that belong together.
class Bevel : public GraphicControl {
 public:
  ControlRole Role() const override { return ControlRole::Grouping; }
  void Paint(HDC dc) override {
    RECT bounds = Bounds();
    DrawEdge(dc, &bounds, BDR_SUNKENOUTER, BF_RECT);
  }
};

}  // namespace ovelix::ui
