#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/recovery.h"
#include "desktop/user_folders.h"
#include "desktop_state.h"

namespace ovelix {
namespace {

using namespace testing_support;

const std::u16string Root = u"C:\\ovelix-recovery\\";
const std::u16string ThisCopy = Root + u"Эта копия\\";
const std::u16string OtherCopy = Root + u"Другая копия\\";
const std::u16string UsersPicture = u"C:\\Обои\\кот.jpg";

class Recovery : public DesktopTest {
 protected:
  Recovery() {
    CreateDirectoryW(ToWide(Root).c_str(), nullptr);
    for (const std::u16string& folder : {ThisCopy, OtherCopy}) {
      CreateDirectoryW(ToWide(folder).c_str(), nullptr);
      for (const char16_t* name : {u"mix1.bmp", u"mix2.bmp", u"Pict1.bmp"}) Touch(folder + name);
    }
  }

  static void Touch(const std::u16string& path) {
    OutputFile file(path);
    file.Commit();
  }

  // A capture at start that found these values.
  static TOldRec Found(const std::u16string& wallpaper, const std::u16string& tile, const std::u16string& style) {
    TOldRec rec;
    rec.Wallpaper = wallpaper;
    rec.SetTile(tile);
    rec.SetStyle(style);
    rec.CapturedCount = static_cast<int>(OldRecField::SystemCopy);
    return rec;
  }

  static WallpaperFound Left(const std::u16string& folder) {
    return {folder, UsersPicture, u"0", u"10", std::nullopt, FoundValue{REG_SZ, {'C', 0, 0, 0}}, std::nullopt};
  }

  static void LeaveRecord(const RawValue& value) { WriteRawValue(RecordKeyPath, RecordValue, value); }
  static void LeaveRecord(const WallpaperFound& found) {
    const std::vector<std::uint8_t> bytes = RecoveryRecordBytes(found);
    LeaveRecord(RawValue{true, REG_BINARY, bytes});
  }

  static std::u16string KeptCopyFile() { return UserAppDataFolder() + u"\\Ovelix\\ThemesWallpaper.bin"; }
};

std::u16string ShortName(const std::u16string& path) {
  wchar_t buffer[MAX_PATH] = {};
  GetShortPathNameW(ToWide(path).c_str(), buffer, MAX_PATH);
  return FromWide(buffer);
}

TEST_F(Recovery, ARecordLeftByAnyCopyIsTakenOverWhenOneOfItsPicturesIsTheWallpaper) {
  const std::u16string spellings[] = {
      OtherCopy + u"mix1.bmp",
      OtherCopy + u"Pict1.bmp",
      u"c:\\OVELIX-RECOVERY\\другая КОПИЯ\\MIX2.BMP",
      ShortName(OtherCopy + u"mix1.bmp"),
  };
  for (const std::u16string& wallpaper : spellings) {
    SCOPED_TRACE(Utf16ToUtf8(wallpaper));
    LeaveRecord(Left(OtherCopy));
    TOldRec rec = Found(wallpaper, u"1", u"0");
    EXPECT_EQ(RecoverOrRecord(rec, ThisCopy), RecordOwnership::TakenOver);
    EXPECT_EQ(rec.Wallpaper, UsersPicture);
    EXPECT_EQ(rec.TileText, u"0");
    EXPECT_EQ(rec.StyleText, u"10");
    EXPECT_FALSE(rec.Stretched);
    EXPECT_EQ(rec.WallpaperSource, Left(OtherCopy).wallpaperSource);
    // It protects this copy's pictures now, should this run be killed in turn.
    WallpaperFound expected = Left(OtherCopy);
    expected.pictureFolder = ThisCopy;
    EXPECT_EQ(ReadRecord(), expected);
  }
}

TEST_F(Recovery, APictureWhoseFileIsGoneIsKnownByItsPath) {
  LeaveRecord(Left(Root + u"Удалённая копия\\"));
  TOldRec rec = Found(Root + u"Удалённая копия\\MIX1.bmp", u"1", u"0");
  EXPECT_EQ(RecoverOrRecord(rec, ThisCopy), RecordOwnership::TakenOver);
  EXPECT_EQ(rec.Wallpaper, UsersPicture);
}

TEST_F(Recovery, AnyOtherStartRecordsWhatItFound) {
  std::vector<std::uint8_t> garbled = RecoveryRecordBytes(Left(OtherCopy));
  garbled[20] ^= 1;
  Touch(Root + u"mix1.bmp");
  struct Case {
    const char* what;
    RawValue left;
    std::u16string wallpaper;
  };
  const Case cases[] = {
      {"no record", Absent, UsersPicture},
      {"the wallpaper back as recorded", RawValue{true, REG_BINARY, RecoveryRecordBytes(Left(OtherCopy))},
       UsersPicture},
      {"a picture chosen since", RawValue{true, REG_BINARY, RecoveryRecordBytes(Left(OtherCopy))},
       u"C:\\Обои\\собака.bmp"},
      {"a picture of the same name elsewhere", RawValue{true, REG_BINARY, RecoveryRecordBytes(Left(OtherCopy))},
       Root + u"mix1.bmp"},
      {"a damaged record", RawValue{true, REG_BINARY, garbled}, OtherCopy + u"mix1.bmp"},
      {"a record of another type", StringValue(OtherCopy), OtherCopy + u"mix1.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DropRecord();
    if (c.left.exists) LeaveRecord(c.left);
    TOldRec rec = Found(c.wallpaper, u" 1", u"6");
    EXPECT_EQ(RecoverOrRecord(rec, ThisCopy), RecordOwnership::Made);
    EXPECT_EQ(rec.Wallpaper, c.wallpaper);
    EXPECT_EQ(rec.TileText, u" 1");
    EXPECT_EQ(ReadRecord(), (WallpaperFound{ThisCopy, c.wallpaper, u" 1", u"6", std::nullopt, std::nullopt, std::nullopt}));
  }
  DropRecord();
  EXPECT_FALSE(ReadRawValue(RecordKeyPath, RecordValue).exists);
  DropRecord();  // nothing there: nothing to say
}

TEST_F(Recovery, TheSystemsCopyIsKeptBesideTheRecordAndComesBackOnlyWhole) {
  const std::vector<std::uint8_t> copy{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9};
  TOldRec first = Found(u"C:\\users\\Themes\\TranscodedWallpaper", u"0", u"10");
  first.ThemesCopy = copy;
  first.TranscodedImageCache = FoundValue{REG_BINARY, {7, 7, 7}};
  ASSERT_EQ(RecoverOrRecord(first, OtherCopy), RecordOwnership::Made);
  EXPECT_EQ(ReadWholeFile(KeptCopyFile(), 1 << 20), copy);
  ASSERT_TRUE(ReadRecord());
  EXPECT_EQ(ReadRecord()->themesCopy, KeptCopy::Of(copy));

  // The run is killed; the next start finds its picture.
  TOldRec next = Found(OtherCopy + u"mix1.bmp", u"1", u"0");
  ASSERT_EQ(RecoverOrRecord(next, ThisCopy), RecordOwnership::TakenOver);
  EXPECT_EQ(next.ThemesCopy, copy);
  EXPECT_EQ(next.TranscodedImageCache, first.TranscodedImageCache);

  // Killed again, and the kept bytes damaged meanwhile: they are not taken for the user's.
  std::vector<std::uint8_t> damaged = copy;
  damaged[4] = 9;
  {
    OutputFile file(KeptCopyFile());
    file.Write(damaged.data(), damaged.size());
    file.Commit();
  }
  TOldRec third = Found(ThisCopy + u"mix2.bmp", u"1", u"0");
  ASSERT_EQ(RecoverOrRecord(third, ThisCopy), RecordOwnership::TakenOver);
  EXPECT_FALSE(third.ThemesCopy);
  EXPECT_EQ(third.Wallpaper, first.Wallpaper);
  EXPECT_FALSE(ReadRecord()->themesCopy);

  DropRecord();
  EXPECT_FALSE(FileExists(KeptCopyFile()));
}

TEST_F(Recovery, ARecordThatCannotBeMadeStopsTheStart) {
  LeaveRecord(Left(OtherCopy));
  const RestrictedKey restricted(ReadAccessOnly, RecordKeyPath);
  TOldRec rec = Found(UsersPicture, u"0", u"2");
  EXPECT_EQ(Utf16ToUtf8(ErrorOf([&] { RecoverOrRecord(rec, ThisCopy); })), "Failed to set data for 'Restore'");
}

}  // namespace
}  // namespace ovelix
