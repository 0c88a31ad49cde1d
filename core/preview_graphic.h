#pragma once

#include "core/picture.h"

namespace ovelix {

// What a preview box shows: a size and the pixels to draw.
class PreviewGraphic {
 public:
  virtual ~PreviewGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // The pixels at full size. A JPEG is decoded on the first call, which may fail with
  // "JPEG error #%d".
  virtual const Picture& PictureToDraw() = 0;
};

class BitmapGraphic final : public PreviewGraphic {
 public:
  explicit BitmapGraphic(Picture picture) : picture_(std::move(picture)) {}

  int Width() const override { return picture_.Width(); }
  int Height() const override { return picture_.Height(); }
  const Picture& PictureToDraw() override { return picture_; }
  Picture& Bitmap() { return picture_; }

 private:
  Picture picture_;
};

}  // namespace ovelix
