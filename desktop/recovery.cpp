#include "desktop/recovery.h"

#include <windows.h>

#include <vector>

#include "core/error.h"
#include "core/mix_mode.h"
#include "core/platform/file_system.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/file_identity.h"
#include "desktop/registry_key.h"
#include "desktop/user_folders.h"
#include "desktop/wallpaper_settings.h"

namespace ovelix {

namespace {

std::u16string KeptCopyFolder() {
  const std::u16string appData = UserAppDataFolder();
  return appData.empty() ? std::u16string() : appData + u"\\Ovelix";
}

std::u16string KeptCopyPath() {
  const std::u16string folder = KeptCopyFolder();
  return folder.empty() ? std::u16string() : folder + u"\\ThemesWallpaper.bin";
}

// The kept bytes reach the disk before the record that names them.
void WriteKeptCopy(const std::vector<std::uint8_t>& bytes) {
  const std::u16string folder = KeptCopyFolder();
  if (folder.empty()) throw Error(u"Cannot find the application data folder");
  CreateDirectoryW(ToWide(folder).c_str(), nullptr);
  OutputFile file(KeptCopyPath());
  file.Write(bytes.data(), bytes.size());
  file.Commit(OutputFile::Flush::Durable);
}

std::optional<std::vector<std::uint8_t>> ReadKeptCopy(const KeptCopy& copy) {
  try {
    std::vector<std::uint8_t> bytes = ReadWholeFile(KeptCopyPath(), copy.size);
    if (copy.Describes(bytes)) return bytes;
  } catch (const Error&) {
  }
  return std::nullopt;
}

void RemoveKeptCopy() {
  const std::u16string path = KeptCopyPath();
  if (path.empty()) return;
  RemoveFile(path);
  RemoveDirectoryW(ToWide(KeptCopyFolder()).c_str());  // only when nothing else is in it
}

void WriteRecord(const WallpaperFound& found) {
  const RegistryKey key = CreateKeyForWriting(HKEY_CURRENT_USER, RecordKeyPath);
  const std::vector<std::uint8_t> bytes = RecoveryRecordBytes(found);
  WriteValue(key, RecordValue, {REG_BINARY, bytes});
  // It must outlive a power loss as surely as the wallpaper setting that it protects.
  if (RegFlushKey(key.Get()) != ERROR_SUCCESS) throw Error(FormatText(u"Failed to set data for '%s'", {RecordValue}));
}

// Whether the path names one of the three pictures of the folder: the same file, however
// either path is spelled; or, when there is no such file any more, the same path.
bool IsPictureOf(std::u16string_view path, std::u16string_view folder) {
  for (const ModeTraits& traits : ModeTable) {
    if (traits.wallpaperFile.empty()) continue;
    const std::u16string picture = std::u16string(folder) + std::u16string(traits.wallpaperFile);
    if (SameFile(path, picture) || SameText(path, picture)) return true;
  }
  return false;
}

}  // namespace

std::optional<WallpaperFound> ReadRecord() {
  const std::optional<FoundValue> value = ReadValue(OpenKeyForReading(HKEY_CURRENT_USER, RecordKeyPath), RecordValue);
  if (!value || value->type != REG_BINARY) return std::nullopt;
  return ParseRecoveryRecord(value->data);
}

RecordOwnership RecoverOrRecord(TOldRec& rec, std::u16string_view programFolder) {
  std::optional<WallpaperFound> left;
  try {
    left = ReadRecord();
  } catch (const Error&) {
    // A record that cannot be read is as good as none.
  }
  if (left && IsPictureOf(rec.Wallpaper, left->pictureFolder)) {
    rec.Wallpaper = left->wallpaper;
    rec.SetTile(left->tile);
    rec.SetStyle(left->style);
    rec.ThemesCopy = left->themesCopy ? ReadKeptCopy(*left->themesCopy) : std::nullopt;
    if (!rec.ThemesCopy) left->themesCopy.reset();  // a damaged copy is never put back
    rec.WallpaperSource = left->wallpaperSource;
    rec.TranscodedImageCache = left->transcodedImageCache;
    left->pictureFolder = programFolder;
    WriteRecord(*left);
    return RecordOwnership::TakenOver;
  }
  WallpaperFound found{std::u16string(programFolder), rec.Wallpaper, rec.TileText, rec.StyleText, std::nullopt,
                       rec.WallpaperSource, rec.TranscodedImageCache};
  if (rec.ThemesCopy) {
    WriteKeptCopy(*rec.ThemesCopy);
    found.themesCopy = KeptCopy::Of(*rec.ThemesCopy);
  }
  WriteRecord(found);
  if (!rec.ThemesCopy) RemoveKeptCopy();
  return RecordOwnership::Made;
}

void DropRecord() {
  RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(RecordKeyPath).c_str());
  RemoveKeptCopy();
}

}  // namespace ovelix
