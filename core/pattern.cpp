#include "core/pattern.h"

#include <algorithm>

#include "core/key_color.h"
#include "core/picture.h"
#include "core/pixel_access.h"

namespace ovelix {

namespace {

// One row's run of key pixels. The arguments are values of its own, so that the stores
// through the row, which may alias anything, do not make the compiler reload them.
template <PixelFormat F>
void StoreRun(std::uint8_t* row, std::size_t first, std::size_t step, std::size_t width, std::uint32_t value) {
  if (step == 1) {
    for (std::size_t x = first; x < width; ++x) StorePixel<F>(row, x, value);  // a fill the compiler can widen
    return;
  }
  for (std::size_t x = first; x < width; x += step) StorePixel<F>(row, x, value);
}

}  // namespace

void ApplyPattern(Picture& picture, MixMode mode) { ApplyPattern(picture, mode, 0, picture.Height()); }

void ApplyPattern(Picture& picture, MixMode mode, int firstRow, int lastRow) {
  if (picture.Empty() || mode == MixMode::no) return;
  const std::uint32_t value = picture.Encode(KeyColor);
  const auto width = static_cast<std::size_t>(picture.Width());
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, picture.Height());
  WithFormat(picture.Format(), [&]<PixelFormat F>() {
    for (int y = firstRow; y < lastRow; ++y) {
      const KeyRun run = KeyRunOfRow(mode, y);
      if (run.step == 0) continue;
      StoreRun<F>(picture.Row(y), static_cast<std::size_t>(run.first), static_cast<std::size_t>(run.step), width, value);
    }
  });
}

}  // namespace ovelix
