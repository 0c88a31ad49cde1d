#include "core/preview_fit.h"

namespace ovelix {

PreviewPlace PreviewFit(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return {0, 0, 0, 0};
  const double ratio = static_cast<double>(pictureWidth) / pictureHeight;
  int width;
  int height;
  if (pictureWidth > pictureHeight) {
    width = boxWidth;
    height = static_cast<int>(boxWidth / ratio);
    if (height > boxHeight) {
      height = boxHeight;
      width = static_cast<int>(ratio * boxHeight);
    }
  } else {
    height = boxHeight;
    width = static_cast<int>(ratio * boxHeight);
    if (width > boxWidth) {
      width = boxWidth;
      height = static_cast<int>(boxWidth / ratio);
    }
  }
  return {(boxWidth - width) / 2, (boxHeight - height) / 2, width, height};
}

}  // namespace ovelix
