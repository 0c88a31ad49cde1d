#include "desktop/wallpaper_settings.h"

#include <windows.h>

#include <string>

#include "core/error.h"
#include "core/mix_mode.h"
#include "core/platform/file_system.h"
#include "core/picture.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/file_identity.h"
#include "desktop/system_colors.h"
#include "desktop/user_folders.h"
#include "desktop/wallpaper_registry.h"

namespace ovelix {

namespace {

bool IsThemesCopy(std::u16string_view wallpaper) {
  return FileExists(wallpaper) && LiesUnder(wallpaper, ThemesFolder());
}

void WriteThemesCopy(std::u16string_view path, const std::vector<std::uint8_t>& bytes) {
  OutputFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}

}  // namespace

bool ApplyWallpaper(std::u16string_view path) {
  std::wstring writable = ToWide(path);
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.empty() ? nullptr : writable.data(),
                               SPIF_UPDATEINIFILE) != FALSE;
}

void GetOld(TOldRec& rec) {
  rec = TOldRec{};
  const auto captured = [&rec](OldRecField field) { rec.CapturedCount = static_cast<int>(field); };
  for (const SavedSystemColor& color : SavedSystemColors) {
    rec.*color.saved = CurrentSystemColor(color.index);
    captured(color.field);
  }
  rec.Wallpaper = ReadWallpaperPath();
  captured(OldRecField::Wallpaper);
  rec.SetTile(ReadTileWallpaper());
  captured(OldRecField::Tile);
  rec.SetStyle(ReadWallpaperStyle());
  captured(OldRecField::Stretched);
  rec.WallpaperSource = ReadWallpaperSource();
  rec.TranscodedImageCache = ReadTranscodedImageCache();
  if (IsThemesCopy(rec.Wallpaper)) rec.ThemesCopy = ReadWholeFile(rec.Wallpaper, MaxStoreBytes);
  captured(OldRecField::SystemCopy);
}

std::u16string RefusedWallpaperText(std::u16string_view path) {
  return FormatText(u"Cannot set the wallpaper \"%s\"", {path});
}

bool SetPict(int number, const TOldRec& rec, std::u16string_view programFolder) {
  const ModeTraits* traits = FindMode(number);
  if (traits == nullptr) return true;
  if (traits->restoresOldSettings) {
    // The system's copy first: the system may make its new copy from it.
    if (rec.ThemesCopy) WriteThemesCopy(rec.Wallpaper, *rec.ThemesCopy);
    // The registry values go first so that the system switches with the new tiling and style.
    if (rec.Has(OldRecField::Tile)) WriteTileWallpaper(rec.TileText);
    if (rec.Has(OldRecField::Stretched)) WriteWallpaperStyle(rec.StyleText);
    bool applied = true;
    if (rec.Has(OldRecField::Wallpaper)) {
      applied = ApplyWallpaper(rec.Wallpaper);
      if (!applied) WriteWallpaperPath(rec.Wallpaper);
    }
    // Last, as the system may have rewritten them for the wallpaper just applied.
    if (rec.WallpaperSource) WriteWallpaperSource(*rec.WallpaperSource);
    if (rec.TranscodedImageCache) WriteTranscodedImageCache(*rec.TranscodedImageCache);
    return applied;
  }
  WriteTileWallpaper(traits->tile);
  WriteWallpaperStyle(traits->style);
  const std::u16string path = std::u16string(programFolder) + std::u16string(traits->wallpaperFile);
  if (!ApplyWallpaper(path)) throw Error(RefusedWallpaperText(path));
  return true;
}

}  // namespace ovelix
