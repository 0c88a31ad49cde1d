#include "core/recovery_record.h"

#include <algorithm>
#include <array>

#include "core/byte_source.h"
#include "core/error.h"
#include "core/little_endian.h"
#include "core/str_to_int.h"

namespace ovelix {

namespace {

// The second form: the first one lay beside the program and named no folder.
constexpr std::array<std::uint8_t, 8> Tag{'O', 'v', 'x', 'R', 'e', 'c', '2', 0};

std::uint32_t Get32(ByteSource& in) {
  std::uint8_t bytes[4];
  in.ReadExact(bytes, 4);
  return Le32(bytes);
}

std::uint64_t Get64(ByteSource& in) {
  const std::uint64_t low = Get32(in);
  return low | std::uint64_t{Get32(in)} << 32;
}

void Put64(std::vector<std::uint8_t>& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
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

// A presence byte, then the value when present.
void PutValue(std::vector<std::uint8_t>& out, const std::optional<FoundValue>& value) {
  out.push_back(value ? 1 : 0);
  if (!value) return;
  Put32(out, value->type);
  Put32(out, static_cast<std::uint32_t>(value->data.size()));
  out.insert(out.end(), value->data.begin(), value->data.end());
}

bool GetPresence(ByteSource& in) {
  std::uint8_t present = 0;
  in.ReadExact(&present, 1);
  if (present > 1) throw Error(u"Stream read error");
  return present == 1;
}

std::optional<FoundValue> GetValue(ByteSource& in) {
  if (!GetPresence(in)) return std::nullopt;
  FoundValue value;
  value.type = Get32(in);
  const std::uint64_t size = Get32(in);
  if (size > in.Remaining()) throw Error(u"Stream read error");
  value.data.resize(static_cast<std::size_t>(size));
  in.ReadExact(value.data.data(), value.data.size());
  return value;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

KeptCopy KeptCopy::Of(std::span<const std::uint8_t> bytes) { return {bytes.size(), Crc32(bytes)}; }

bool KeptCopy::Describes(std::span<const std::uint8_t> bytes) const { return *this == Of(bytes); }

std::vector<std::uint8_t> RecoveryRecordBytes(const WallpaperFound& found) {
  std::vector<std::uint8_t> out(Tag.begin(), Tag.end());
  for (const std::u16string* text : {&found.pictureFolder, &found.wallpaper, &found.tile, &found.style}) {
    PutText(out, *text);
  }
  out.push_back(found.themesCopy ? 1 : 0);
  if (found.themesCopy) {
    Put64(out, found.themesCopy->size);
    Put32(out, found.themesCopy->crc32);
  }
  PutValue(out, found.wallpaperSource);
  PutValue(out, found.transcodedImageCache);
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
    for (std::u16string* text : {&found.pictureFolder, &found.wallpaper, &found.tile, &found.style}) {
      *text = GetText(in);
    }
    if (GetPresence(in)) {
      KeptCopy copy;
      copy.size = Get64(in);
      copy.crc32 = Get32(in);
      found.themesCopy = copy;
    }
    found.wallpaperSource = GetValue(in);
    found.transcodedImageCache = GetValue(in);
    if (in.Remaining() != 0 || !TryStrToInt(found.tile) || !TryStrToInt(found.style)) return std::nullopt;
    return found;
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace ovelix
