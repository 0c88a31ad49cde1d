#include "core/wallpaper_reader.h"

#include <array>

#include "core/bmp_file.h"
#include "core/byte_source.h"
#include "core/jpeg_graphic.h"
#include "core/platform/file_system.h"
#include "core/platform/system_picture.h"

namespace ovelix {

WallpaperPicture ReadWallpaper(ByteSource& in, const WallpaperReading& how) {
  std::array<std::uint8_t, FormatSignatureBytes> head{};
  const std::span<const std::uint8_t> taken(head.data(), in.ReadSome(head.data(), head.size()));
  PrefixedSource whole(taken, in);
  const PictureFormat format = FormatOfContent(taken);
  switch (format) {
    case PictureFormat::Bmp: return {ReadBmp(whole, how.screenDepth), format, {}};
    case PictureFormat::Jpeg: {
      std::vector<std::uint8_t> bytes = whole.ReadRest(MaxStoreBytes);
      Picture picture = DecodeJpeg(bytes, how.coverWidth, how.coverHeight);
      return {std::move(picture), format, std::move(bytes)};
    }
    default: return {DecodeWithSystem(whole.ReadRest(MaxStoreBytes)), format, {}};
  }
}

WallpaperPicture ReadWallpaperFile(std::u16string_view path, const WallpaperReading& how) {
  InputFile file(path);
  FileSource source(file);
  return ReadWallpaper(source, how);
}

WallpaperPicture ReadWallpaperBytes(std::span<const std::uint8_t> bytes, const WallpaperReading& how) {
  MemorySource source(bytes);
  return ReadWallpaper(source, how);
}

}  // namespace ovelix
