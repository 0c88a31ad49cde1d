#pragma once

// The record of what the start found, for as long as one of the program's pictures may be
// the wallpaper. It belongs to the user, not to a folder: under HKEY_CURRENT_USER, in the
// same hive as the wallpaper settings it protects, so that it goes wherever they go (a
// roaming profile carries both), no other user and no copy of the program on a stick sees
// it, and RegFlushKey makes it durable. The bytes of the system's own copy of the
// wallpaper are too many for the registry: they go to a file in the user's application
// data folder, which the record names by size and checksum.

#include <optional>
#include <string_view>

#include "core/old_rec.h"
#include "core/recovery_record.h"

namespace ovelix {

inline constexpr std::u16string_view RecordKeyPath = u"Software\\Ovelix";
inline constexpr std::u16string_view RecordValue = u"Restore";

// How a run stands to the record: only a run that made or took over the record removes it.
enum class RecordOwnership { None, Made, TakenOver };

// Right after a complete capture at start, before the first change of the wallpaper. When
// the wallpaper found is one of the pictures that a record left by a run of any copy of the
// program protects, the record's values (and the system's copy it kept) become the values
// found, and the record now protects this copy's pictures. Otherwise the values found are
// recorded, in place of a record that has done its job. Fails when the record cannot be
// made durable: then nothing may change the desktop.
RecordOwnership RecoverOrRecord(TOldRec& rec, std::u16string_view programFolder);

// Once everything found is back, or the user chose to keep the program's picture.
void DropRecord();

// The record as it stands, when there is a whole one.
std::optional<WallpaperFound> ReadRecord();

}  // namespace ovelix
