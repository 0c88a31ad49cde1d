#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/key_color.h"

namespace ovelix {

// The fields of TOldRec in the order in which they are captured at start: the colours come
// first, so that a registry value that stops the capture never leaves a colour that the
// check boxes may replace without its original.
enum class OldRecField : int {
  WindowColor = 1,
  WindowTextColor,
  BtnFaceColor,
  Wallpaper,
  Tile,       // Tile and TileText
  Stretched,  // Stretched and StyleText
  SystemCopy,  // ThemesCopy, WallpaperSource and TranscodedImageCache
};

// A registry value as found: its type and its bytes.
struct FoundValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;

  bool operator==(const FoundValue&) const = default;
};

// The settings found at start, which mode `no` and the colour check boxes put back.
struct TOldRec {
  std::u16string Wallpaper;
  std::uint8_t Tile = 0;
  bool Stretched = false;
  Color WindowColor = 0;
  Color WindowTextColor = 0;
  Color BtnFaceColor = 0;
  // "TileWallpaper" and "WallpaperStyle" exactly as found: mode `no` writes these back, so
  // that styles such as "10" (fill) or "6" (fit) survive a run.
  std::u16string TileText;
  std::u16string StyleText;
  // From Windows 7 on the system shows a copy of the picture kept in the user's Themes
  // folder, which it rewrites whenever the wallpaper changes: when the wallpaper found is
  // such a copy, its bytes as found. And the values naming the picture it was made from
  // ("WallpaperSource", "TranscodedImageCache"), when they were there.
  std::optional<std::vector<std::uint8_t>> ThemesCopy;
  std::optional<FoundValue> WallpaperSource;
  std::optional<FoundValue> TranscodedImageCache;

  // How many fields the capture at start filled. It stops at the first failure, so the
  // captured fields are always a prefix of OldRecField's order.
  int CapturedCount = 0;

  bool Has(OldRecField field) const { return CapturedCount >= static_cast<int>(field); }

  // Set a text found and the value derived from it. The value is derived first, so that a
  // text that is no integer leaves both unchanged.
  void SetTile(std::u16string text);
  void SetStyle(std::u16string text);
};

// Filled once at start and never changed afterwards.
extern TOldRec OldRec;

// "WallpaperStyle" of a stretched wallpaper.
inline constexpr int StretchedStyle = 2;

// The values derived from the texts found; fail with "'%s' is not a valid integer value".
std::uint8_t TileOf(std::u16string_view tileText);
bool StretchedOf(std::u16string_view styleText);

}  // namespace ovelix
