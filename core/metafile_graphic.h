#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/preview_graphic.h"

namespace ovelix {

// An enhanced metafile, or a Windows metafile with its placeable header, sized at 96 pixels
// per inch and played onto a white picture when first drawn. Anything else fails with
// "Metafile is not valid".
class MetafileGraphic final : public PreviewGraphic {
 public:
  explicit MetafileGraphic(std::vector<std::uint8_t> bytes);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Enhanced() const { return enhanced_; }
  const Picture& PictureToDraw() override;

 private:
  std::vector<std::uint8_t> bytes_;
  bool enhanced_ = false;
  int width_ = 0;
  int height_ = 0;
  std::optional<Picture> picture_;
};

}  // namespace ovelix
