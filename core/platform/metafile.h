#pragma once

#include <cstdint>
#include <span>

#include "core/picture.h"

namespace ovelix {

// Plays a metafile (enhanced, or Windows with its 22-byte placeable header) onto a white
// 32-bit picture of the given size. Only the drawing system can play one: elsewhere this
// fails with "Metafiles can be drawn only on Windows".
Picture PlayMetafile(std::span<const std::uint8_t> bytes, bool enhanced, int width, int height);

}  // namespace ovelix
