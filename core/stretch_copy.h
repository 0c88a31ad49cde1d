#pragma once

namespace ovelix {

class Picture;

// A rectangle from (left, top) up to but not including (right, bottom).
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect WholeOf(int width, int height) { return {0, 0, width, height}; }

// Source rows, from `first` up to but not including `last`.
struct RowRange {
  int first = 0;
  int last = 0;
};

// The rows of a source `sourceHeight` rows high that StretchCopy takes for the target rows
// [top, bottom) when it stretches sourceRect onto targetRect: a picture holding just these
// rows serves those target rows as the whole source would.
RowRange SourceRowsOf(const Rect& targetRect, const Rect& sourceRect, int sourceHeight, int top, int bottom);

// Copies the source rectangle onto the target rectangle, scaled to fit it exactly, as the
// drawing system's plain source copy in its default black-on-white stretching mode does:
// each target pixel takes the source pixel under its centre when enlarging; when shrinking
// each source pixel goes to the target pixel under its centre, and the pixels that meet
// there are combined by a bitwise AND of their colours. The target clips what falls outside
// it (the target rectangle may start at negative coordinates); source pixels outside the
// source picture take no part, and a target pixel that only they would reach keeps its
// colour. Rectangles without area copy nothing.
void StretchCopy(Picture& target, const Rect& targetRect, const Picture& source, const Rect& sourceRect);
// The same, writing only the target pixels inside `clip`.
void StretchCopy(Picture& target, const Rect& targetRect, const Picture& source, const Rect& sourceRect,
                 const Rect& clip);

}  // namespace ovelix
