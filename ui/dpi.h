#pragma once

#include <windows.h>

namespace ovelix::ui {

// The design is laid out in pixels at 96 DPI; everything is scaled by the system DPI / 96
// in this one place, so that at 96 DPI it is exactly as designed.
class Scale {
 public:
  explicit Scale(int dpi = 96) : dpi_(dpi) {}
  static Scale OfSystem();

  int Dpi() const { return dpi_; }
  int operator()(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }
  RECT operator()(const RECT& design) const {
    // Scale the edges, not the sizes, so that neighbours stay neighbours.
    return {(*this)(design.left), (*this)(design.top), (*this)(design.right), (*this)(design.bottom)};
  }

 private:
  int dpi_;
};

// A design rectangle from its left, top, width and height.
constexpr RECT Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace ovelix::ui
