#include <gtest/gtest.h>

#include "core/little_endian.h"
#include "core/recovery_record.h"

namespace ovelix {
namespace {

WallpaperFound Plain(std::u16string folder, std::u16string wallpaper, std::u16string tile, std::u16string style) {
  WallpaperFound found;
  found.pictureFolder = std::move(folder);
  found.wallpaper = std::move(wallpaper);
  found.tile = std::move(tile);
  found.style = std::move(style);
  return found;
}

WallpaperFound UsersOwn() {
  WallpaperFound found = Plain(u"C:\\Программы\\Ovelix\\", u"C:\\Обои\\кот.bmp", u" 1", u"10");
  found.themesCopy = KeptCopy::Of(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF});
  found.wallpaperSource = FoundValue{1, {'C', 0, ':', 0, 0, 0}};
  found.transcodedImageCache = FoundValue{3, std::vector<std::uint8_t>(0x320, 0xAB)};
  return found;
}

TEST(RecoveryRecord, OnlyAWholeUnchangedRecordIsTrusted) {
  const std::vector<std::uint8_t> bytes = RecoveryRecordBytes(UsersOwn());
  ASSERT_EQ(ParseRecoveryRecord(bytes), UsersOwn());
  // Whatever a write cut short or a disk garbled: every shorter record, every changed byte.
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(ParseRecoveryRecord(std::span(bytes).first(size))) << "cut at " << size;
  }
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::vector<std::uint8_t> changed = bytes;
    changed[at] ^= 0x20;
    EXPECT_FALSE(ParseRecoveryRecord(changed)) << "changed at " << at;
  }
  std::vector<std::uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(ParseRecoveryRecord(longer));
}

TEST(RecoveryRecord, FieldsThatWereNotFoundStayAbsent) {
  const WallpaperFound plain = Plain(u"C:\\a\\", u"", u"0", u"0");
  EXPECT_EQ(ParseRecoveryRecord(RecoveryRecordBytes(plain)), plain);
  WallpaperFound emptyValues = plain;
  emptyValues.wallpaperSource = FoundValue{1, {}};
  emptyValues.themesCopy = KeptCopy::Of({});
  EXPECT_EQ(ParseRecoveryRecord(RecoveryRecordBytes(emptyValues)), emptyValues);
}

TEST(RecoveryRecord, ForeignDataIsNoRecord) {
  // Well formed, but with texts that the capture at start would not have let through.
  EXPECT_FALSE(ParseRecoveryRecord(RecoveryRecordBytes(Plain(u"C:\\a\\", u"C:\\a.bmp", u"x", u"0"))));
  EXPECT_FALSE(ParseRecoveryRecord(RecoveryRecordBytes(Plain(u"C:\\a\\", u"C:\\a.bmp", u"0", u""))));
  // The record of the earlier form, kept beside the program, and bytes of no record at all.
  std::vector<std::uint8_t> earlier = RecoveryRecordBytes(UsersOwn());
  earlier[6] = '1';
  EXPECT_FALSE(ParseRecoveryRecord(earlier));
  const std::vector<std::uint8_t> text{'[', 'r', 'e', 's', 't', 'o', 'r', 'e', ']', '\n', 'a', '=', '1', '\n'};
  EXPECT_FALSE(ParseRecoveryRecord(text));
  // Lengths that reach past the end, behind a checksum that matches them.
  std::vector<std::uint8_t> huge = RecoveryRecordBytes(Plain(u"", u"", u"0", u"0"));
  huge.resize(huge.size() - 4);
  huge[8] = 0xFF;
  huge[9] = 0xFF;
  huge[10] = 0xFF;
  huge[11] = 0x7F;
  Put32(huge, Crc32(huge));
  EXPECT_FALSE(ParseRecoveryRecord(huge));
}

TEST(RecoveryRecord, AKeptCopyIsKnownBySizeAndChecksum) {
  const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
  const KeptCopy copy = KeptCopy::Of(bytes);
  EXPECT_TRUE(copy.Describes(bytes));
  EXPECT_FALSE(copy.Describes(std::vector<std::uint8_t>{1, 2, 3, 5}));
  EXPECT_FALSE(copy.Describes(std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(Crc32(std::vector<std::uint8_t>{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xCBF43926u);
}

}  // namespace
}  // namespace ovelix
