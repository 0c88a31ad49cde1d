#include <gtest/gtest.h>

#include "core/recovery_record.h"
#include "core/text.h"
#include "core/tests/test_support.h"

namespace ovelix {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const WallpaperFound UsersOwn{u"C:\\Обои\\кот.bmp", u" 1", u"10"};

TEST(RecoveryRecord, OnlyAWholeUnchangedRecordIsTrusted) {
  const std::vector<std::uint8_t> bytes = RecoveryRecordBytes(UsersOwn);
  ASSERT_EQ(ParseRecoveryRecord(bytes), UsersOwn);
  // Whatever a write cut short or a disk garbled: every shorter file, every changed byte.
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
  // Well formed, but with texts that the capture at start would not have let through.
  EXPECT_FALSE(ParseRecoveryRecord(RecoveryRecordBytes({u"C:\\a.bmp", u"x", u"0"})));
  EXPECT_FALSE(ParseRecoveryRecord(RecoveryRecordBytes({u"C:\\a.bmp", u"0", u""})));
  EXPECT_EQ(ParseRecoveryRecord(RecoveryRecordBytes({u"", u"0", u"0"})), (WallpaperFound{u"", u"0", u"0"}));
}

TEST(RecoveryRecord, OwnPicturesAreTheThreeFilesOfTheProgramFolder) {
  const std::u16string folder = u"C:\\Программы\\Ovelix\\";
  struct Case {
    std::u16string path;
    bool own;
  };
  const Case cases[] = {
      {folder + u"mix1.bmp", true},
      {folder + u"mix2.bmp", true},
      {folder + u"Pict1.bmp", true},
      {u"c:\\программы\\OVELIX\\MIX1.BMP", true},
      {folder + u"mix3.bmp", false},
      {folder + u"restore.dat", false},
      {u"C:\\Другая\\mix1.bmp", false},
      {folder + u"sub\\mix1.bmp", false},
      {u"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsOwnPicture(c.path, folder), c.own) << Utf16ToUtf8(c.path);
}

class Recovery : public testing::Test {
 protected:
  TOldRec Found(const std::u16string& wallpaper, const std::u16string& tile, const std::u16string& style) {
    TOldRec rec;
    rec.Wallpaper = wallpaper;
    rec.SetTile(tile);
    rec.SetStyle(style);
    rec.CapturedCount = static_cast<int>(OldRecField::Stretched);
    return rec;
  }
  std::filesystem::path Record() const { return folder_.Path() / "restore.dat"; }
  std::optional<WallpaperFound> Recorded() const {
    return std::filesystem::exists(Record()) ? ParseRecoveryRecord(ReadBytes(Record())) : std::nullopt;
  }
  std::u16string Own(const char* name) const { return folder_.File(name); }

  TempFolder folder_;
};

TEST_F(Recovery, ALeftOverRecordStandsInForTheProgramsOwnPictureOnly) {
  struct Case {
    const char* what;
    std::u16string wallpaper;       // found at start
    std::vector<std::uint8_t> left; // the record left by an earlier run; empty: none
    WallpaperFound taken;           // what counts as found afterwards, and is recorded
  };
  const std::vector<std::uint8_t> left = RecoveryRecordBytes(UsersOwn);
  std::vector<std::uint8_t> garbled = left;
  garbled[12] ^= 1;
  const WallpaperFound user{u"C:\\Обои\\собака.bmp", u"0", u"2"};
  const Case cases[] = {
      {"the user's picture, no record", user.wallpaper, {}, user},
      {"the user's picture, a record left over", user.wallpaper, left, user},
      {"mix1.bmp after a killed run", Own("mix1.bmp"), left, UsersOwn},
      {"Pict1.bmp after a killed run", Own("Pict1.bmp"), left, UsersOwn},
      {"mix1.bmp after a fix", Own("mix1.bmp"), {}, {Own("mix1.bmp"), u"1", u"0"}},
      {"mix1.bmp with a record cut short", Own("mix1.bmp"), {left.begin(), left.end() - 1}, {Own("mix1.bmp"), u"1", u"0"}},
      {"mix1.bmp with a garbled record", Own("mix1.bmp"), garbled, {Own("mix1.bmp"), u"1", u"0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Record());
    if (!c.left.empty()) WriteBytes(Record(), c.left);
    const bool ownPicture = IsOwnPicture(c.wallpaper, folder_.Folder());
    TOldRec rec = Found(c.wallpaper, ownPicture ? u"1" : c.taken.tile, ownPicture ? u"0" : c.taken.style);
    RecoverOrRecord(rec, folder_.Folder());
    EXPECT_EQ((WallpaperFound{rec.Wallpaper, rec.TileText, rec.StyleText}), c.taken);
    EXPECT_EQ(rec.Tile, TileOf(c.taken.tile));
    EXPECT_EQ(rec.Stretched, StretchedOf(c.taken.style));
    EXPECT_EQ(Recorded(), c.taken);
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "restore.dat.tmp"));
  }
  RemoveRecoveryRecord(folder_.Folder());
  EXPECT_FALSE(std::filesystem::exists(Record()));
  RemoveRecoveryRecord(folder_.Folder());  // nothing there: nothing to say
}

TEST_F(Recovery, ARecordThatCannotBeWrittenNeitherStopsTheStartNorLeavesAnOlderOne) {
  WriteBytes(Record(), RecoveryRecordBytes(UsersOwn));
  // A folder where the record's temporary file would go: the record cannot be written.
  std::filesystem::create_directory(folder_.Path() / "restore.dat.tmp");
  TOldRec rec = Found(Own("mix1.bmp"), u"1", u"0");
  rec.Wallpaper = u"C:\\a.bmp";
  RecoverOrRecord(rec, folder_.Folder());
  EXPECT_EQ(rec.Wallpaper, u"C:\\a.bmp");
  EXPECT_FALSE(std::filesystem::exists(Record()));
  RecoverOrRecord(rec, folder_.File("missing") + u"/");
  EXPECT_EQ(rec.Wallpaper, u"C:\\a.bmp");
}

}  // namespace
}  // namespace ovelix
