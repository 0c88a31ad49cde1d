#pragma once

#include <windows.h>

#include "core/key_color.h"
#include "desktop/gdi_handles.h"

namespace ovelix {
class Picture;
}

namespace ovelix::ui {

// Draws the whole picture onto the target rectangle, scaled with the given stretch mode.
void DrawPicture(HDC dc, const Picture& picture, const RECT& target, int stretchMode);

// Draws it leaving out every pixel of the transparent colour (a button glyph's background).
void DrawPictureTransparent(HDC dc, const Picture& picture, const RECT& target, Color transparent);

// A picture scaled once to the size it is shown at and kept in the display's format, so that
// showing it again is a plain copy however large the picture is. It keeps its own drawing
// context too: selecting a display bitmap into a fresh one asks the system about the display.
class ScaledPicture {
 public:
  // Scales the whole picture to width x height, smoothed with HALFTONE unless that is its own
  // size; an empty picture shows nothing.
  ScaledPicture(HDC dc, const Picture& picture, int width, int height);

  // Whether it is a usable copy of that size: one the system failed to make is made again.
  bool Fits(int width, int height) const { return memory_ && width == width_ && height == height_; }
  void Draw(HDC dc, int left, int top) const;
  // Stretches it onto the target, leaving out every pixel of the transparent colour.
  void DrawTransparent(HDC dc, const RECT& target, Color transparent) const;

 private:
  int width_;
  int height_;
  GdiObject<HBITMAP> bitmap_;
  MemoryDc memory_;  // holds bitmap_; declared after it, so deleted before it
};

}  // namespace ovelix::ui
