#include "core/compose.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/bmp_file.h"
#include "core/jpeg_graphic.h"
#include "core/pattern.h"
#include "core/platform/file_system.h"
#include "core/preview_loader.h"
#include "core/rows_ahead.h"
#include "core/source_band.h"
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

// A picture holding the source rows a band asks for, and the source row its row 0 is.
struct SourceView {
  const Picture* picture;
  int top;
};

// Both mixed pictures of a source stretched over the whole of them, band by band of rows:
// each band is stretched once, copied and patterned while it is still in the cache, so the
// source is read once and every store written once. `rowsOf(first, last)` gives the source
// rows [first, last) a band takes, the bands going down. The stores' contents may be
// anything before; row padding is cleared, as files want it.
template <typename RowsOf>
void MixInBands(int sourceWidth, int sourceHeight, RowsOf&& rowsOf, Picture& mixX, Picture& mixSharp) {
  constexpr std::size_t BandBytes = std::size_t{256} << 10;
  const int width = mixX.Width();
  const int height = mixX.Height();
  const std::size_t stride = mixX.Stride();
  const std::size_t pixelBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsPerPixel(mixX.Format())) / 8;
  const int bandRows = static_cast<int>(std::max<std::size_t>(1, BandBytes / stride));
  const Rect whole = WholeOf(width, height);
  const Rect wholeSource = WholeOf(sourceWidth, sourceHeight);
  for (int top = 0; top < height; top += bandRows) {
    const int bottom = std::min(height, top + bandRows);
    for (int y = top; y < bottom; ++y) {
      std::memset(mixX.Row(y) + pixelBytes, 0, stride - pixelBytes);
      std::memset(mixSharp.Row(y) + pixelBytes, 0, stride - pixelBytes);
    }
    const RowRange rows = SourceRowsOf(whole, wholeSource, sourceHeight, top, bottom);
    const SourceView view = rowsOf(rows.first, rows.last);
    StretchCopy(mixX, whole, *view.picture, {0, -view.top, sourceWidth, sourceHeight - view.top}, {0, top, width, bottom});
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
  Picture source = Picture::ScreenCompatible(depth);

  WallpaperContent content;
  if (in.keptWallpaper != nullptr) {
    content = ReadWallpaperBytes(*in.keptWallpaper, depth);
  } else if (in.wallpaper.empty() || !FileExists(in.wallpaper)) {
    if (in.showMessage) in.showMessage(MissingWallpaperText(in.wallpaper));
    content.picture = Picture::ScreenCompatible(depth);
    content.picture.SetSize(width, height);
  } else {
    content = ReadWallpaperFile(in.wallpaper, depth);
  }
  // The preview of mode no comes from a file named for what it holds; otherwise it is the
  // picture read here.
  const bool previewFromFile = in.keptWallpaper == nullptr && ExtensionNames(in.wallpaper, content.format);

  const Rect screen = WholeOf(width, height);
  const Rect desktop{in.desktop.left, in.desktop.top, in.desktop.left + in.desktop.width,
                     in.desktop.top + in.desktop.height};
  const std::u16string mix1 = in.programFolder + u"mix1.bmp";
  const std::u16string mix2 = in.programFolder + u"mix2.bmp";
  // On one screen the stretch reaches every pixel of the work picture, and the previews are
  // the mixed pictures themselves: both are built at once and handed over uncopied.
  const auto mixOnOneScreen = [&](int sourceWidth, int sourceHeight, auto&& rowsOf) {
    Picture sharp = Picture::ScreenCompatible(depth, width, height, StoreStart::Unset);
    MixInBands(sourceWidth, sourceHeight, rowsOf, work, sharp);
    out.previewX = std::move(work);
    WriteBmpFile(mix1, out.previewX);
    out.previewSharp = std::move(sharp);
    WriteBmpFile(mix2, out.previewSharp);
  };
  const bool oneScreen = desktop == screen && !work.Empty();
  if (oneScreen && content.format == PictureFormat::Jpeg) {
    // The rows are decoded on a second thread, a little ahead of the bands that take them.
    JpegRows rows(content.jpeg, in.desktop.width, in.desktop.height);
    RowsAhead ahead(rows);
    if (previewFromFile) {
      // Nothing needs the decoded picture whole: the band keeps only the rows still asked for.
      SourceBand band(ahead);
      mixOnOneScreen(rows.Width(), rows.Height(),
                     [&](int first, int last) { return SourceView{&band.Rows(first, last), band.Top()}; });
    } else {
      // The picture is the preview: kept whole, filled as the bands ask for its rows.
      source = Picture(rows.Width(), rows.Height(), PixelFormat::Bits24, {}, {}, RowOrder::BottomUp,
                       StoreStart::Zeroed);
      int decoded = 0;
      const auto decodeTo = [&](int last) {
        for (; decoded < last; ++decoded) ahead.ReadRow(source.Row(decoded));
      };
      mixOnOneScreen(source.Width(), source.Height(), [&](int, int last) {
        decodeTo(last);
        return SourceView{&source, 0};
      });
      decodeTo(source.Height());
    }
  } else {
    source = TakePicture(content, in.desktop.width, in.desktop.height);
    if (oneScreen && !source.Empty()) {
      mixOnOneScreen(source.Width(), source.Height(), [&](int, int) { return SourceView{&source, 0}; });
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
  }

  if (in.solidPicture != nullptr) WriteBmpFile(in.programFolder + u"Pict1.bmp", *in.solidPicture);

  // A file named for what it holds is loaded as the preview loader loads it: a JPEG from the
  // bytes already read, a BMP read again (it may be one of the files just written) into the
  // store of the source picture, which is no longer needed.
  if (in.keptWallpaper == nullptr && !FileExists(in.wallpaper)) return;
  if (previewFromFile) {
    out.previewNo = content.format == PictureFormat::Jpeg ? std::make_unique<JpegGraphic>(std::move(content.jpeg), depth)
                                                          : LoadPreview(in.wallpaper, depth, std::move(source));
  } else if (!source.Empty()) {
    out.previewNo = std::make_unique<BitmapGraphic>(std::move(source));
  }
}

}  // namespace ovelix
