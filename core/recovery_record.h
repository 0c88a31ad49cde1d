#pragma once

// What the capture at start found of the wallpaper, kept in a small file beside the
// program for as long as one of the program's own pictures may be the wallpaper. A run that
// is killed leaves it behind, and the next start takes the user's settings from it instead
// of taking the program's own picture for the user's.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/old_rec.h"

namespace ovelix {

// In the program folder.
inline constexpr std::u16string_view RecoveryRecordFile = u"restore.dat";

struct WallpaperFound {
  std::u16string wallpaper;
  std::u16string tile;   // "TileWallpaper" as found
  std::u16string style;  // "WallpaperStyle" as found

  bool operator==(const WallpaperFound&) const = default;
};

// A tag, the three texts with their lengths, and a checksum over all of it.
std::vector<std::uint8_t> RecoveryRecordBytes(const WallpaperFound& found);
// Nothing unless the bytes are a whole record, unchanged, whose tiling and style are integers.
std::optional<WallpaperFound> ParseRecoveryRecord(std::span<const std::uint8_t> bytes);

// Whether the path names "mix1.bmp", "mix2.bmp" or "Pict1.bmp" of the program folder.
bool IsOwnPicture(std::u16string_view path, std::u16string_view programFolder);

// Right after a complete capture at start, before the first wallpaper change. When the
// wallpaper found is one of the program's own pictures and a record is left from a run that
// did not put everything back, the record's values become the values found; otherwise the
// values found are recorded, in place of any left-over record. Never fails: a record that
// cannot be read is discarded, and one that cannot be written is left out.
void RecoverOrRecord(TOldRec& rec, std::u16string_view programFolder);

// Once everything found is back, or the user chose to keep the program's picture.
void RemoveRecoveryRecord(std::u16string_view programFolder);

}  // namespace ovelix
