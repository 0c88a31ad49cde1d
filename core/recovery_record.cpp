#include "core/recovery_record.h"

#include <algorithm>
#include <array>

#include "core/byte_source.h"
#include "core/error.h"
#include "core/little_endian.h"
#include "core/mix_mode.h"
#include "core/platform/file_system.h"
#include "core/str_to_int.h"
#include "core/text.h"

namespace ovelix {

namespace {

constexpr std::array<std::uint8_t, 8> Tag{'O', 'v', 'x', 'R', 'e', 'c', '1', 0};
// Far beyond the longest path and texts the registry can hold for these values.
constexpr std::uint64_t MaxRecordBytes = 1 << 20;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t Get32(ByteSource& in) {
  std::uint8_t bytes[4];
  in.ReadExact(bytes, 4);
  return Le32(bytes);
}

void PutText(std::vector<std::uint8_t>& out, std::u16string_view text) {
  Put32(out, static_cast<std::uint32_t>(text.size()));
  for (const char16_t c : text) Put16(out, c);
}

std::u16string GetText(ByteSource& in) {
  const std::uint64_t length = Get32(in);
  if (length * 2 > in.Remaining()) throw Error(u"Stream read error");
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  for (char16_t& c : text) {
    std::uint8_t bytes[2];
    in.ReadExact(bytes, 2);
    c = static_cast<char16_t>(Le16(bytes));
  }
  return text;
}

std::u16string RecordPath(std::u16string_view programFolder) {
  return std::u16string(programFolder) + std::u16string(RecoveryRecordFile);
}

std::optional<WallpaperFound> ReadRecord(const std::u16string& path) {
  try {
    return ParseRecoveryRecord(ReadWholeFile(path, MaxRecordBytes));
  } catch (const Error&) {
    return std::nullopt;
  }
}

void WriteRecord(const std::u16string& path, const WallpaperFound& found) {
  try {
    const std::vector<std::uint8_t> bytes = RecoveryRecordBytes(found);
    OutputFile file(path);
    file.Write(bytes.data(), bytes.size());
    // It must outlive a power loss as surely as the wallpaper setting that it protects.
    file.Commit(OutputFile::Flush::Durable);
  } catch (const Error&) {
    // Start-up goes on without it; an older record must not stand in for it.
    RemoveFile(path);
  }
}

}  // namespace

std::vector<std::uint8_t> RecoveryRecordBytes(const WallpaperFound& found) {
  std::vector<std::uint8_t> out(Tag.begin(), Tag.end());
  for (const std::u16string* text : {&found.wallpaper, &found.tile, &found.style}) PutText(out, *text);
  Put32(out, Crc32(out));
  return out;
}

std::optional<WallpaperFound> ParseRecoveryRecord(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < Tag.size() + 4 || !std::equal(Tag.begin(), Tag.end(), bytes.begin())) return std::nullopt;
  const std::span<const std::uint8_t> body = bytes.first(bytes.size() - 4);
  MemorySource checksum(bytes.last(4));
  if (Get32(checksum) != Crc32(body)) return std::nullopt;
  try {
    MemorySource in(body.subspan(Tag.size()));
    WallpaperFound found;
    for (std::u16string* text : {&found.wallpaper, &found.tile, &found.style}) *text = GetText(in);
    if (in.Remaining() != 0 || !TryStrToInt(found.tile) || !TryStrToInt(found.style)) return std::nullopt;
    return found;
  } catch (const Error&) {
    return std::nullopt;
  }
}

bool IsOwnPicture(std::u16string_view path, std::u16string_view programFolder) {
  for (const ModeTraits& traits : ModeTable) {
    if (!traits.wallpaperFile.empty() &&
        SameText(path, std::u16string(programFolder) + std::u16string(traits.wallpaperFile))) {
      return true;
    }
  }
  return false;
}

void RecoverOrRecord(TOldRec& rec, std::u16string_view programFolder) {
  const std::u16string path = RecordPath(programFolder);
  if (IsOwnPicture(rec.Wallpaper, programFolder)) {
    if (const std::optional<WallpaperFound> left = ReadRecord(path)) {
      rec.Wallpaper = left->wallpaper;
      rec.SetTile(left->tile);
      rec.SetStyle(left->style);
      return;  // the record stays: it still says what to put back
    }
  }
  WriteRecord(path, {rec.Wallpaper, rec.TileText, rec.StyleText});
}

void RemoveRecoveryRecord(std::u16string_view programFolder) { RemoveFile(RecordPath(programFolder)); }

}  // namespace ovelix
