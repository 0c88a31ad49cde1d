#include "core/error.h"
#include "core/platform/system_picture.h"

namespace ovelix {

Picture DecodeWithSystem(std::span<const std::uint8_t>) { throw Error(u"Bitmap image is not valid"); }

}  // namespace ovelix
