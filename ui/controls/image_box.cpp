#include "ui/controls/image_box.h"

#include "core/preview_fit.h"
#include "ui/picture_drawing.h"

namespace ovelix::ui {

void ImageBox::Create(ControlHost& host, const RECT& bounds, ImageFit fit) {
  fit_ = fit;
  host.AddGraphic(*this);
  SetBounds(bounds);
}

void ImageBox::SetPicture(Picture picture) {
  SetGraphic(picture.Empty() ? nullptr : std::make_unique<BitmapGraphic>(std::move(picture)));
}

void ImageBox::SetGraphic(std::unique_ptr<PreviewGraphic> graphic) {
  graphic_ = std::move(graphic);
  failed_ = false;
  Invalidate();
}

const Picture* ImageBox::HeldPicture() const {
  auto* bitmap = dynamic_cast<BitmapGraphic*>(graphic_.get());
  return bitmap != nullptr ? &bitmap->Bitmap() : nullptr;
}

void ImageBox::Paint(HDC dc) {
  if (graphic_ == nullptr || graphic_->Empty() || failed_) return;
  RECT target = Bounds();
  if (fit_ == ImageFit::Proportional) {
    const PreviewPlace place = PreviewFit(graphic_->Width(), graphic_->Height(), target.right - target.left,
                                          target.bottom - target.top);
    target = {target.left + place.left, target.top + place.top, target.left + place.left + place.width,
              target.top + place.top + place.height};
  }
  failed_ = true;  // until the decoding below has succeeded
  const Picture& picture = graphic_->PictureToDraw();
  failed_ = false;
  const bool scaled = target.right - target.left != picture.Width() || target.bottom - target.top != picture.Height();
  DrawPicture(dc, picture, target, scaled ? HALFTONE : COLORONCOLOR);
}

}  // namespace ovelix::ui
