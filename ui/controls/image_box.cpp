#include "ui/controls/image_box.h"

#include "core/preview_fit.h"

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
  scaled_.reset();
  failed_ = false;
  Invalidate();
}

const Picture* ImageBox::HeldPicture() const {
  auto* bitmap = dynamic_cast<BitmapGraphic*>(graphic_.get());
  return bitmap != nullptr ? &bitmap->Bitmap() : nullptr;
}

RECT ImageBox::PictureRect() const {
  const RECT& box = Bounds();
  if (fit_ == ImageFit::Stretch) return box;
  const PreviewPlace place =
      PreviewFit(graphic_->Width(), graphic_->Height(), box.right - box.left, box.bottom - box.top);
  return {box.left + place.left, box.top + place.top, box.left + place.left + place.width,
          box.top + place.top + place.height};
}

void ImageBox::Paint(HDC dc) {
  if (graphic_ == nullptr || graphic_->Empty() || failed_) return;
  const RECT target = PictureRect();
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (!scaled_ || !scaled_->Fits(width, height)) {
    failed_ = true;  // until the decoding below has succeeded
    const Picture& picture = graphic_->PictureToDraw();
    failed_ = false;
    scaled_.emplace(dc, picture, width, height);
  }
  scaled_->Draw(dc, target.left, target.top);
}

}  // namespace ovelix::ui
