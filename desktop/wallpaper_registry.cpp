#include "desktop/wallpaper_registry.h"

#include "desktop/registry_key.h"

namespace ovelix {

namespace {

std::u16string ReadDesktopValue(std::u16string_view name) {
  return ReadStringValue(OpenKeyForReading(HKEY_CURRENT_USER, DesktopKeyPath), name);
}

void WriteDesktopValue(std::u16string_view name, std::u16string_view text) {
  WriteStringValue(CreateKeyForWriting(HKEY_CURRENT_USER, DesktopKeyPath), name, text);
}

}  // namespace

std::u16string ReadWallpaperPath() { return ReadDesktopValue(WallpaperValue); }

std::u16string ReadTileWallpaper() { return ReadDesktopValue(TileWallpaperValue); }

std::u16string ReadWallpaperStyle() { return ReadDesktopValue(WallpaperStyleValue); }

void WriteWallpaperPath(std::u16string_view path) { WriteDesktopValue(WallpaperValue, path); }

void WriteTileWallpaper(std::u16string_view text) { WriteDesktopValue(TileWallpaperValue, text); }

void WriteWallpaperStyle(std::u16string_view text) { WriteDesktopValue(WallpaperStyleValue, text); }

std::optional<FoundValue> ReadWallpaperSource() {
  return ReadValue(OpenKeyForReading(HKEY_CURRENT_USER, WallpaperSourceKeyPath), WallpaperSourceValue);
}

std::optional<FoundValue> ReadTranscodedImageCache() {
  return ReadValue(OpenKeyForReading(HKEY_CURRENT_USER, DesktopKeyPath), TranscodedImageCacheValue);
}

void WriteWallpaperSource(const FoundValue& value) {
  WriteValue(CreateKeyForWriting(HKEY_CURRENT_USER, WallpaperSourceKeyPath), WallpaperSourceValue, value);
}

void WriteTranscodedImageCache(const FoundValue& value) {
  WriteValue(CreateKeyForWriting(HKEY_CURRENT_USER, DesktopKeyPath), TranscodedImageCacheValue, value);
}

}  // namespace ovelix
