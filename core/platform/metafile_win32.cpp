#include <windows.h>

#include <cstring>

#include "core/error.h"
#include "core/platform/metafile.h"

namespace ovelix {

namespace {

HENHMETAFILE EnhancedOf(std::span<const std::uint8_t> bytes, bool enhanced) {
  if (enhanced) return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
  // A Windows metafile after its placeable header, converted so that one call plays both.
  constexpr std::size_t placeable = 22;
  return SetWinMetaFileBits(static_cast<UINT>(bytes.size() - placeable), bytes.data() + placeable, nullptr, nullptr);
}

}  // namespace

Picture PlayMetafile(std::span<const std::uint8_t> bytes, bool enhanced, int width, int height) {
  Picture picture(width, height, PixelFormat::Bits32);
  const HENHMETAFILE metafile = EnhancedOf(bytes, enhanced);
  if (metafile == nullptr) throw Error(u"Metafile is not valid");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the picture's store
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool played = false;
  if (bitmap != nullptr) {
    const HGDIOBJ old = SelectObject(dc, bitmap);
    std::memcpy(bits, picture.Bits(), picture.StoreBytes());
    const RECT frame{0, 0, width, height};
    played = PlayEnhMetaFile(dc, metafile, &frame) != FALSE;
    GdiFlush();
    std::memcpy(picture.Bits(), bits, picture.StoreBytes());
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  DeleteEnhMetaFile(metafile);
  if (bitmap == nullptr) throw Error(u"Out of system resources");
  if (!played) throw Error(u"Metafile is not valid");
  return picture;
}

}  // namespace ovelix
