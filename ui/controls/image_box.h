#pragma once

#include <memory>
#include <optional>

#include "core/picture.h"
#include "core/preview_graphic.h"
#include "ui/controls/graphic_control.h"
#include "ui/picture_drawing.h"

namespace ovelix::ui {

enum class ImageFit {
  Stretch,       // the picture fills the box
  Proportional,  // scaled up or down to fit with its aspect ratio kept, and centred
};

// An image box: a picture, or a preview that may decode itself when first drawn.
class ImageBox : public GraphicControl {
 public:
  void Create(ControlHost& host, const RECT& bounds, ImageFit fit);

  void SetPicture(Picture picture);
  void SetGraphic(std::unique_ptr<PreviewGraphic> graphic);
  // The picture held, drawn or not; nullptr when the box is empty.
  const Picture* HeldPicture() const;
  ControlRole Role() const override { return ControlRole::Graphic; }

  void Paint(HDC dc) override;

 private:
  // Where the picture shows: the whole box, or fitted into it and centred.
  RECT PictureRect() const;

  ImageFit fit_ = ImageFit::Stretch;
  std::unique_ptr<PreviewGraphic> graphic_;
  // The picture at the size it shows, made at its first paint, when a preview decodes, and
  // again only when that size changes (with the DPI): a repaint copies it and never touches
  // the full-size picture.
  std::optional<ScaledPicture> scaled_;
  // A preview that failed to decode is reported once and then left out, or every repaint
  // (the error box's own closing among them) would report it again.
  bool failed_ = false;
};

}  // namespace ovelix::ui
