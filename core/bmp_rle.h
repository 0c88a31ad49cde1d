#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/picture.h"

namespace ovelix {

// Decodes RLE4 (bitsPerPixel 4) or RLE8 data of a bottom-up picture into `out`, whose
// pixels start as zero. A run that would write outside the picture or use an index beyond
// the colour table fails with "Bitmap image is not valid"; data that ends early leaves the
// rest as it was.
void DecodeRle(std::span<const std::uint8_t> data, int bitsPerPixel, const std::vector<PaletteEntry>& palette,
               Picture& out);

}  // namespace ovelix
