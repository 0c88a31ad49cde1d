#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/preview_graphic.h"
#include "core/row_reader.h"

namespace ovelix {

// A JPEG whose header is read at once and whose pixels are decoded when first drawn: at
// full scale with block smoothing, to 24-bit colour, or to 8 bits with a 236-colour table
// for greyscale pictures and on screens of 8 bits or fewer. Every libjpeg error fails with
// "JPEG error #%d", libjpeg's message number in place of %d.
class JpegGraphic final : public PreviewGraphic {
 public:
  JpegGraphic(std::vector<std::uint8_t> bytes, int screenDepth);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Grayscale() const { return grayscale_; }
  bool Progressive() const { return progressive_; }
  const Picture& PictureToDraw() override;

 private:
  std::vector<std::uint8_t> bytes_;
  int screenDepth_;
  int width_ = 0;
  int height_ = 0;
  bool grayscale_ = false;
  bool progressive_ = false;
  std::optional<Picture> picture_;
};

// The largest of the divisors 8, 4 and 2 at which libjpeg's scaled output of a picture of
// width x height is still at least coverWidth x coverHeight; 1 when none is.
int JpegScaleToCover(int width, int height, int coverWidth, int coverHeight);

// A JPEG decoded row by row from the top to 24-bit BGR rows, scaled by libjpeg to
// 1 / JpegScaleToCover of its size: a picture much larger than what it will be stretched
// over costs a fraction of its full decoding. Every libjpeg error fails with "JPEG error #%d".
class JpegRows final : public RowReader {
 public:
  JpegRows(std::span<const std::uint8_t> bytes, int coverWidth, int coverHeight);
  ~JpegRows() override;
  JpegRows(const JpegRows&) = delete;
  JpegRows& operator=(const JpegRows&) = delete;

  int Width() const override;
  int Height() const override;
  // Reading the last row also reads what follows it.
  void ReadRow(std::uint8_t* row) override;

 private:
  struct State;  // libjpeg's decompressor, which must not move
  std::unique_ptr<State> state_;
};

// A whole JPEG decoded as JpegRows gives it. Also fails with "Out of system resources".
Picture DecodeJpeg(std::span<const std::uint8_t> bytes, int coverWidth, int coverHeight);

}  // namespace ovelix
