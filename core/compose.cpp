#include "core/compose.h"

#include "core/bmp_file.h"
#include "core/pattern.h"
#include "core/platform/file_system.h"
#include "core/preview_loader.h"
#include "core/stretch_copy.h"

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
  // Made white at once unless the wallpaper turns out to cover it all anyway.
  Picture work = Picture::ScreenCompatible(depth, width, height, StoreStart::Zeroed);
  Picture source = Picture::ScreenCompatible(depth);

  if (in.wallpaper.empty() || !FileExists(in.wallpaper)) {
    if (in.showMessage) in.showMessage(MissingWallpaperText(in.wallpaper));
    source.SetSize(width, height);
  } else {
    source = ReadBmpFile(in.wallpaper, depth);
  }

  const Rect screen = WholeOf(width, height);
  const Rect desktop{in.desktop.left, in.desktop.top, in.desktop.left + in.desktop.width,
                     in.desktop.top + in.desktop.height};
  const Rect wholeSource = WholeOf(source.Width(), source.Height());
  // On one screen the stretch reaches every pixel of the work picture (when there is a
  // source at all), and the previews are the work picture itself: each mixed picture can
  // then be built in a store of its own and handed over without copying.
  const bool covered = desktop == screen && !source.Empty();
  if (!covered) work.Fill(White);

  // Steps of each mixed picture: the stretch, the pattern, the preview, the file.
  auto mix = [&](MixMode mode, Picture& preview, std::u16string_view file) {
    StretchCopy(work, desktop, source, wholeSource);
    ApplyPattern(work, mode);
    const Picture* mixed = &work;
    if (covered) {
      preview = std::move(work);
      mixed = &preview;
    } else {
      preview = PreviewOf(work, depth, desktop);
    }
    WriteBmpFile(in.programFolder + std::u16string(file), *mixed);
  };
  mix(MixMode::x, out.previewX, u"mix1.bmp");
  if (covered) work = Picture::ScreenCompatible(depth, width, height, StoreStart::Zeroed);
  mix(MixMode::sharp, out.previewSharp, u"mix2.bmp");

  if (in.solidPicture != nullptr) WriteBmpFile(in.programFolder + u"Pict1.bmp", *in.solidPicture);

  if (FileExists(in.wallpaper)) out.previewNo = LoadPreview(in.wallpaper, depth);
}

}  // namespace ovelix
