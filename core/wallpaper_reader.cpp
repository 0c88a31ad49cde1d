#include "core/wallpaper_reader.h"

#include <array>

#include "core/bmp_file.h"
#include "core/byte_source.h"
#include "core/jpeg_graphic.h"
#include "core/platform/file_system.h"
#include "core/platform/system_picture.h"

namespace ovelix {

WallpaperContent ReadWallpaper(ByteSource& in, int screenDepth) {
  std::array<std::uint8_t, FormatSignatureBytes> head{};
  const std::span<const std::uint8_t> taken(head.data(), in.ReadSome(head.data(), head.size()));
  PrefixedSource whole(taken, in);
  WallpaperContent content;
  content.format = FormatOfContent(taken);
  switch (content.format) {
    case PictureFormat::Bmp: content.picture = ReadBmp(whole, screenDepth); break;
    case PictureFormat::Jpeg: content.jpeg = whole.ReadRest(MaxStoreBytes); break;
    default: content.picture = DecodeWithSystem(whole.ReadRest(MaxStoreBytes)); break;
  }
  return content;
}

WallpaperContent ReadWallpaperFile(std::u16string_view path, int screenDepth) {
  InputFile file(path);
  FileSource source(file);
  return ReadWallpaper(source, screenDepth);
}

WallpaperContent ReadWallpaperBytes(std::span<const std::uint8_t> bytes, int screenDepth) {
  MemorySource source(bytes);
  return ReadWallpaper(source, screenDepth);
}

Picture TakePicture(WallpaperContent& content, int coverWidth, int coverHeight) {
  if (content.format == PictureFormat::Jpeg) return DecodeJpeg(content.jpeg, coverWidth, coverHeight);
  return std::move(content.picture);
}

}  // namespace ovelix
