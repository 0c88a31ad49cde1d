// Feeds arbitrary bytes to every picture reader: the BMP reader (at each screen depth, then
// writing and stretching what it read), the preview loader's readers and the wallpaper's
// JPEG reading at each of libjpeg's scales.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/icon_reader.h"
#include "core/jpeg_graphic.h"
#include "core/metafile_graphic.h"
#include "core/preview_loader.h"
#include "core/stretch_copy.h"
#include "core/text.h"
#include "core/wallpaper_reader.h"

namespace {

constexpr int Depths[] = {32, 24, 16, 8, 4};

void Exercise(const ovelix::Picture& p, int depth) {
  // Big pictures only cost time, in the same loops as small ones: their reading has been
  // checked by then.
  if (p.Empty() || p.StoreBytes() > (std::size_t{1} << 16)) return;
  // Every pixel once, the writer, and a stretch in both directions.
  ovelix::Color all = 0;
  for (int y = 0; y < p.Height(); y += 1 + p.Height() / 64)
    for (int x = 0; x < p.Width(); x += 1 + p.Width() / 64) all |= p.GetPixel(x, y);
  (void)all;
  const std::vector<std::uint8_t> bytes = ovelix::BmpBytes(p);
  const ovelix::Picture back = ovelix::ReadBmpBytes(bytes, depth);
  if (back.Width() != p.Width() || back.Height() != p.Height()) __builtin_trap();
  ovelix::Picture target = ovelix::Picture::ScreenCompatible(depth);
  target.SetSize(7, 5);
  // From a corner of at most 64 x 64 pixels: larger ones only repeat the same loops.
  ovelix::StretchCopy(target, {-3, -2, 9, 4}, p, {0, 0, std::min(p.Width(), 64), std::min(p.Height(), 64)});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int depth = Depths[data[0] % 5];
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  try {
    Exercise(ovelix::ReadBmpBytes(bytes, depth), depth);
  } catch (const ovelix::Error&) {
  }
  try {
    Exercise(ovelix::ReadIcon(bytes, depth), depth);
  } catch (const ovelix::Error&) {
  }
  try {
    ovelix::MetafileGraphic metafile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  } catch (const ovelix::Error&) {
  }
  try {
    ovelix::JpegGraphic jpeg(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), depth);
    // Only small pictures are decoded, so that a run stays fast.
    const std::uint64_t pixels = static_cast<std::uint64_t>(jpeg.Width()) * static_cast<std::uint64_t>(jpeg.Height());
    if (pixels <= 1u << 20) Exercise(jpeg.PictureToDraw(), depth);
    // The same bytes read as a wallpaper, over a desktop that makes libjpeg scale them by
    // 1, 1/2, 1/4 or 1/8, as the first byte chooses.
    if (pixels <= 1u << 22) {
      const int shift = data[0] / 5 % 4;
      ovelix::WallpaperContent content = ovelix::ReadWallpaperBytes(bytes, depth);
      Exercise(ovelix::TakePicture(content, jpeg.Width() >> shift, jpeg.Height() >> shift), depth);
    }
  } catch (const ovelix::Error&) {
  }
  // The extension rule on the first bytes taken as a path; no path is longer.
  const std::size_t pathBytes = std::min<std::size_t>(bytes.size(), 260 * 3);
  (void)ovelix::PictureExtension(ovelix::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), pathBytes)));
  return 0;
}
