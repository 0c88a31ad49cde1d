#include "core/compose.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/bmp_file.h"
#include "core/jpeg_graphic.h"
#include "core/pattern.h"
#include "core/platform/file_system.h"
#include "core/preview_loader.h"
#include "core/stretch_copy.h"
#include "core/wallpaper_reader.h"

namespace ovelix {

namespace {

// The work picture's region that the desktop covers, copied into a new picture of the
// work picture's size: the reverse of the stretch onto the desktop.
Picture PreviewOf(const Picture& work, int depth, const Rect& desktop) {
  Picture preview = Picture::ScreenCompatible(depth);
  preview.SetSize(work.Width(), work.Height());
  StretchCopy(preview, WholeOf(work.Width(), work.Height()), work, desktop);
  return preview;
}

// Both mixed pictures of a source stretched over the whole of them, band by band of rows:
// each band is stretched once, copied and patterned while it is still in the cache, so the
// source is read once and every store written once. The stores' contents may be anything
// before; row padding is cleared, as files want it.
void MixInBands(const Picture& source, Picture& mixX, Picture& mixSharp) {
  constexpr std::size_t BandBytes = std::size_t{256} << 10;
  const int width = mixX.Width();
  const int height = mixX.Height();
  const std::size_t stride = mixX.Stride();
  const std::size_t pixelBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsPerPixel(mixX.Format())) / 8;
  const int bandRows = static_cast<int>(std::max<std::size_t>(1, BandBytes / stride));
  for (int top = 0; top < height; top += bandRows) {
    const int bottom = std::min(height, top + bandRows);
    for (int y = top; y < bottom; ++y) {
      std::memset(mixX.Row(y) + pixelBytes, 0, stride - pixelBytes);
      std::memset(mixSharp.Row(y) + pixelBytes, 0, stride - pixelBytes);
    }
    StretchCopy(mixX, WholeOf(width, height), source, WholeOf(source.Width(), source.Height()), {0, top, width, bottom});
    // Rows that the sharp pattern fills whole need nothing of the wallpaper.
    for (int y = top; y < bottom; ++y) {
      if (KeyRunOfRow(MixMode::sharp, y).step != 1) std::memcpy(mixSharp.Row(y), mixX.Row(y), stride);
    }
    ApplyPattern(mixX, MixMode::x, top, bottom);
    ApplyPattern(mixSharp, MixMode::sharp, top, bottom);
  }
}

}  // namespace

std::u16string MissingWallpaperText(std::u16string_view wallpaper) {
  std::u16string text = u"Ошибка - не найден ваш фоновый рисунок \"";
  text += wallpaper;
  text += u"\" ! Будет установлен чистый лист...";
  return text;
}

void CreatePics(const ComposeInputs& in, ComposeResults& out) {
  const int width = in.screenWidth;
  const int height = in.screenHeight;
  const int depth = in.colorDepth;
  // Written in full below: whitened only if the wallpaper turns out not to cover it.
  Picture work = Picture::ScreenCompatible(depth, width, height, StoreStart::Unset);
  WallpaperPicture wallpaper{Picture::ScreenCompatible(depth), PictureFormat::Bmp, {}};
  Picture& source = wallpaper.picture;

  const WallpaperReading reading{depth, in.desktop.width, in.desktop.height};
  if (in.keptWallpaper != nullptr) {
    wallpaper = ReadWallpaperBytes(*in.keptWallpaper, reading);
  } else if (in.wallpaper.empty() || !FileExists(in.wallpaper)) {
    if (in.showMessage) in.showMessage(MissingWallpaperText(in.wallpaper));
    source.SetSize(width, height);
  } else {
    wallpaper = ReadWallpaperFile(in.wallpaper, reading);
  }

  const Rect screen = WholeOf(width, height);
  const Rect desktop{in.desktop.left, in.desktop.top, in.desktop.left + in.desktop.width,
                     in.desktop.top + in.desktop.height};
  const std::u16string mix1 = in.programFolder + u"mix1.bmp";
  const std::u16string mix2 = in.programFolder + u"mix2.bmp";
  if (desktop == screen && !source.Empty() && !work.Empty()) {
    // On one screen the stretch reaches every pixel of the work picture, and the previews
    // are the mixed pictures themselves: both are built at once and handed over uncopied.
    Picture sharp = Picture::ScreenCompatible(depth, width, height, StoreStart::Unset);
    MixInBands(source, work, sharp);
    out.previewX = std::move(work);
    WriteBmpFile(mix1, out.previewX);
    out.previewSharp = std::move(sharp);
    WriteBmpFile(mix2, out.previewSharp);
  } else {
    // Steps of each mixed picture: the stretch, the pattern, the preview, the file. The
    // second stretch leaves the first pattern where the desktop does not reach.
    work.Fill(White);
    const Rect wholeSource = WholeOf(source.Width(), source.Height());
    for (const auto& [mode, preview, file] :
         {std::tuple{MixMode::x, &out.previewX, &mix1}, std::tuple{MixMode::sharp, &out.previewSharp, &mix2}}) {
      StretchCopy(work, desktop, source, wholeSource);
      ApplyPattern(work, mode);
      *preview = PreviewOf(work, depth, desktop);
      WriteBmpFile(*file, work);
    }
  }

  if (in.solidPicture != nullptr) WriteBmpFile(in.programFolder + u"Pict1.bmp", *in.solidPicture);

  // A file named for what it holds is loaded as the preview loader loads it: a JPEG from the
  // bytes already read, a BMP read again (it may be one of the files just written) into the
  // store of the source picture, which is no longer needed. Any other shows what was read.
  if (in.keptWallpaper == nullptr && !FileExists(in.wallpaper)) return;
  if (in.keptWallpaper == nullptr && ExtensionNames(in.wallpaper, wallpaper.format)) {
    out.previewNo = wallpaper.format == PictureFormat::Jpeg ? std::make_unique<JpegGraphic>(std::move(wallpaper.jpeg), depth)
                                                            : LoadPreview(in.wallpaper, depth, std::move(source));
  } else if (!source.Empty()) {
    out.previewNo = std::make_unique<BitmapGraphic>(std::move(source));
  }
}

}  // namespace ovelix
