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
  Picture work = Picture::ScreenCompatible(in.colorDepth);
  work.SetSize(width, height);
  Picture source = Picture::ScreenCompatible(in.colorDepth);

  if (in.wallpaper.empty() || !FileExists(in.wallpaper)) {
    if (in.showMessage) in.showMessage(MissingWallpaperText(in.wallpaper));
    source.SetSize(width, height);
  } else {
    source = ReadBmpFile(in.wallpaper, in.colorDepth);
  }

  const Rect desktop{in.desktop.left, in.desktop.top, in.desktop.left + in.desktop.width,
                     in.desktop.top + in.desktop.height};
  const Rect wholeSource = WholeOf(source.Width(), source.Height());

  StretchCopy(work, desktop, source, wholeSource);
  ApplyPattern(work, MixMode::x);
  out.previewX = PreviewOf(work, in.colorDepth, desktop);
  WriteBmpFile(in.programFolder + u"mix1.bmp", work);

  StretchCopy(work, desktop, source, wholeSource);
  ApplyPattern(work, MixMode::sharp);
  out.previewSharp = PreviewOf(work, in.colorDepth, desktop);
  WriteBmpFile(in.programFolder + u"mix2.bmp", work);

  if (in.solidPicture != nullptr) WriteBmpFile(in.programFolder + u"Pict1.bmp", *in.solidPicture);

  if (FileExists(in.wallpaper)) out.previewNo = LoadPreview(in.wallpaper, in.colorDepth);
}

}  // namespace ovelix
