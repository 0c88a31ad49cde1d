#include "core/bmp_rle.h"

#include "core/error.h"
#include "core/pixel_access.h"

namespace ovelix {

namespace {

[[noreturn]] void NotValid() { throw Error(u"Bitmap image is not valid"); }

}  // namespace

void DecodeRle(std::span<const std::uint8_t> data, int bitsPerPixel, const std::vector<PaletteEntry>& palette,
               Picture& out) {
  std::vector<std::uint32_t> values;
  for (const PaletteEntry& entry : palette) values.push_back(out.Encode(ColorOf(entry)));
  const bool rle8 = bitsPerPixel == 8;
  const std::int64_t width = out.Width();
  const std::int64_t height = out.Height();
  std::int64_t x = 0;
  std::int64_t y = 0;  // counted from the bottom row

  WithFormat(out.Format(), [&]<PixelFormat F>() {
    // Checks a run of `count` pixels at the current place and gives the row to write.
    auto rowFor = [&](std::int64_t count) {
      if (y >= height || x + count > width) NotValid();
      return out.Row(static_cast<int>(height - 1 - y));
    };
    auto put = [&](std::uint8_t* row, std::uint32_t index) {
      if (index >= values.size()) NotValid();
      StorePixel<F>(row, static_cast<std::size_t>(x++), values[index]);
    };
    std::size_t i = 0;
    while (i + 1 < data.size()) {
      const std::uint8_t count = data[i];
      const std::uint8_t code = data[i + 1];
      i += 2;
      if (count > 0) {
        std::uint8_t* row = rowFor(count);
        for (int k = 0; k < count; ++k) {
          put(row, rle8 ? code : (k % 2 == 0 ? code >> 4 : code & 0xFu));
        }
      } else if (code == 0) {
        x = 0;
        ++y;
      } else if (code == 1) {
        return;
      } else if (code == 2) {
        if (i + 2 > data.size()) return;
        x += data[i];
        y += data[i + 1];
        i += 2;
      } else {
        const std::size_t bytes = rle8 ? code : (code + 1u) / 2;
        if (i + bytes > data.size()) return;
        std::uint8_t* row = rowFor(code);
        for (std::size_t k = 0; k < code; ++k) {
          const std::uint8_t b = data[i + (rle8 ? k : k / 2)];
          put(row, rle8 ? b : (k % 2 == 0 ? b >> 4 : b & 0xFu));
        }
        i += bytes + (bytes & 1);  // absolute runs keep to 16-bit boundaries
      }
    }
  });
}

}  // namespace ovelix
