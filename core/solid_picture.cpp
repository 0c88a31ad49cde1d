#include "core/solid_picture.h"

namespace ovelix {

Picture MakeSolidPicture() {
  Picture picture(SolidPictureWidth, SolidPictureHeight, PixelFormat::Bits24);
  picture.Fill(KeyColor);
  return picture;
}

}  // namespace ovelix
