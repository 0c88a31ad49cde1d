#include "core/pattern.h"

#include "core/key_color.h"
#include "core/picture.h"
#include "core/pixel_access.h"

namespace ovelix {

void ApplyPattern(Picture& picture, MixMode mode) {
  if (picture.Empty() || mode == MixMode::no) return;
  const std::uint32_t value = picture.Encode(KeyColor);
  const auto width = static_cast<std::size_t>(picture.Width());
  WithFormat(picture.Format(), [&]<PixelFormat F>() {
    for (int y = 0; y < picture.Height(); ++y) {
      const KeyRun run = KeyRunOfRow(mode, y);
      if (run.step == 0) continue;
      std::uint8_t* row = picture.Row(y);
      for (auto x = static_cast<std::size_t>(run.first); x < width; x += static_cast<std::size_t>(run.step)) {
        StorePixel<F>(row, x, value);
      }
    }
  });
}

}  // namespace ovelix
