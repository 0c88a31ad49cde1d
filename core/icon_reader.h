#pragma once

#include <cstdint>
#include <span>

#include "core/picture.h"

namespace ovelix {

// The first image of an icon file whose images are stored as bitmaps, with the pixels
// that the icon's mask leaves out shown white. Anything else fails with
// "Icon image is not valid".
Picture ReadIcon(std::span<const std::uint8_t> bytes, int screenDepth);

}  // namespace ovelix
