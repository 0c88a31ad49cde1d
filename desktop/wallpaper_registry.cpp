#include "desktop/wallpaper_registry.h"

#include "core/str_to_int.h"
#include "core/text.h"
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

int ReadTileWallpaper() { return StrToInt(ReadDesktopValue(TileWallpaperValue)); }

bool ReadStretched() { return StrToInt(ReadDesktopValue(WallpaperStyleValue)) == StretchedStyle; }

void WriteTileWallpaper(std::uint8_t tile) { WriteDesktopValue(TileWallpaperValue, DecimalText(tile)); }

void WriteWallpaperStyle(bool stretched) {
  WriteDesktopValue(WallpaperStyleValue, DecimalText(stretched ? StretchedStyle : 0));
}

}  // namespace ovelix
