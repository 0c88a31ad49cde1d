#include "desktop/wallpaper_settings.h"

#include <windows.h>

#include <string>

#include "core/mix_mode.h"
#include "core/platform/wide.h"
#include "desktop/system_colors.h"
#include "desktop/wallpaper_registry.h"

namespace ovelix {

void ApplyWallpaper(std::u16string_view path) {
  std::wstring writable = ToWide(path);
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.empty() ? nullptr : writable.data(), SPIF_UPDATEINIFILE);
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
}

void SetPict(int number, const TOldRec& rec, std::u16string_view programFolder) {
  const ModeTraits* traits = FindMode(number);
  if (traits == nullptr) return;
  if (traits->restoresOldSettings) {
    // The registry values go first so that the system switches with the new tiling and style.
    if (rec.Has(OldRecField::Tile)) WriteTileWallpaper(rec.TileText);
    if (rec.Has(OldRecField::Stretched)) WriteWallpaperStyle(rec.StyleText);
    if (rec.Has(OldRecField::Wallpaper)) ApplyWallpaper(rec.Wallpaper);
    return;
  }
  WriteTileWallpaper(traits->tile);
  WriteWallpaperStyle(traits->style);
  ApplyWallpaper(std::u16string(programFolder) + std::u16string(traits->wallpaperFile));
}

}  // namespace ovelix
