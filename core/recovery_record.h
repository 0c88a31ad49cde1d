#pragma once

// What the capture at start found of the wallpaper, kept in the user's own part of the
// system for as long as one of the program's pictures may be the wallpaper. A run that is
// killed leaves it behind, and the next start of any copy of the program takes the user's
// settings from it instead of taking the program's picture for the user's.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/old_rec.h"

namespace ovelix {

// The system's copy of the wallpaper as it was found: its bytes are kept in a file of their
// own, which the record names by size and checksum so that a damaged one is never put back.
struct KeptCopy {
  std::uint64_t size = 0;
  std::uint32_t crc32 = 0;

  bool operator==(const KeptCopy&) const = default;
  bool Describes(std::span<const std::uint8_t> bytes) const;
  static KeptCopy Of(std::span<const std::uint8_t> bytes);
};

struct WallpaperFound {
  // The folder of the pictures the record protects ("mix1.bmp", "mix2.bmp", "Pict1.bmp").
  std::u16string pictureFolder;
  std::u16string wallpaper;
  std::u16string tile;   // "TileWallpaper" as found
  std::u16string style;  // "WallpaperStyle" as found
  std::optional<KeptCopy> themesCopy;
  std::optional<FoundValue> wallpaperSource;
  std::optional<FoundValue> transcodedImageCache;

  bool operator==(const WallpaperFound&) const = default;
};

// A tag, the fields with their lengths, and a checksum over all of it.
std::vector<std::uint8_t> RecoveryRecordBytes(const WallpaperFound& found);
// Nothing unless the bytes are a whole record, unchanged, whose tiling and style are integers.
std::optional<WallpaperFound> ParseRecoveryRecord(std::span<const std::uint8_t> bytes);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace ovelix
