#pragma once

#include <cstdint>
#include <span>

#include "core/picture.h"

namespace ovelix {

// A PNG, a GIF (its first frame) or a TIFF (its first page) decoded by the system, to 24-bit
// colour in bottom-up rows. On Windows that is GDI+, loaded at the first call. Where the
// system has no such decoder, and for bytes it cannot decode, this fails with "Bitmap image
// is not valid", as for any file that is no picture the program reads; a picture larger
// than a store may be fails with "Out of system resources".
Picture DecodeWithSystem(std::span<const std::uint8_t> bytes);

}  // namespace ovelix
