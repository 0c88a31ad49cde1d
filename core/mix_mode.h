#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ovelix {

// The number of each mode is what SetPict is given.
enum class MixMode : int { x = 1, sharp = 2, full = 3, no = 4 };

// The four screen painters, one per mode.
enum class ScreenPainter { Scr_MIX1, Scr_MIX2, Scr_FULL, Scr_NO };

// Everything that hangs on a mode, kept in one table.
struct ModeTraits {
  MixMode mode;
  std::u16string_view panelCaption;
  std::u16string_view hotKeyLabel;   // the hot key of the mode's screen painter
  std::uint8_t hotKey;               // its virtual-key code, pressed with Ctrl
  std::u16string_view wallpaperFile; // in the program folder; empty: the one found at start
  bool restoresOldSettings;          // wallpaper, tiling and style come from OldRec
  std::u16string_view tile;          // "TileWallpaper" when not restoring
  std::u16string_view style;         // "WallpaperStyle" when not restoring
  ScreenPainter painter;
};

inline constexpr std::array<ModeTraits, 4> ModeTable{{
    {MixMode::x, u"X - смешивание", u"Ctrl + F9", 0x78, u"mix1.bmp", false, u"1", u"0",
     ScreenPainter::Scr_MIX1},
    {MixMode::sharp, u"# - смешивание", u"Ctrl + F10", 0x79, u"mix2.bmp", false, u"1", u"0",
     ScreenPainter::Scr_MIX2},
    {MixMode::full, u"Полностью", u"Ctrl + F11", 0x7A, u"Pict1.bmp", false, u"1", u"0",
     ScreenPainter::Scr_FULL},
    {MixMode::no, u"Отключить", u"Ctrl + F12", 0x7B, u"", true, u"", u"",
     ScreenPainter::Scr_NO},
}};

// The traits of the mode with this number, or nullptr when the number is no mode.
constexpr const ModeTraits* FindMode(int number) {
  for (const ModeTraits& traits : ModeTable) {
    if (static_cast<int>(traits.mode) == number) return &traits;
  }
  return nullptr;
}

constexpr const ModeTraits& TraitsOf(MixMode mode) { return *FindMode(static_cast<int>(mode)); }

}  // namespace ovelix
