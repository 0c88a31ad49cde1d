#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "core/platform/file_system.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/system_colors.h"
#include "desktop/user_folders.h"
#include "desktop/wallpaper_registry.h"
#include "desktop/wallpaper_settings.h"
#include "desktop_state.h"
#include "refused_wallpaper.h"

namespace ovelix {
namespace {

using namespace testing_support;

constexpr std::u16string_view Folder = u"C:\\Программа\\";
constexpr std::u16string_view OldPath = u"C:\\Обои\\кот.bmp";

class WallpaperSettings : public DesktopTest {
 protected:
  // The settings the user had before the program started.
  static void Found(const RawValue& wallpaper, const RawValue& tile, const RawValue& style) {
    SetSystemWallpaper(OldPath);
    WriteRawValue(WallpaperValue, wallpaper);
    WriteRawValue(TileWallpaperValue, tile);
    WriteRawValue(WallpaperStyleValue, style);
  }

  static ::testing::AssertionResult Shows(std::u16string_view path, std::u16string_view tile,
                                          std::u16string_view style) {
    if (SystemWallpaper() != path) {
      return ::testing::AssertionFailure() << "the system reports " << Utf16ToUtf8(SystemWallpaper());
    }
    if (auto r = HasString(WallpaperValue, path); !r) return r;
    if (auto r = HasString(TileWallpaperValue, tile); !r) return r;
    return HasString(WallpaperStyleValue, style);
  }
};

std::u16string InFolder(std::u16string_view file) { return std::u16string(Folder) + std::u16string(file); }

TEST_F(WallpaperSettings, EachModeAppliesItsPictureAndModeNoPutsBackTheTextsFound) {
  struct Case {
    std::u16string_view tile;
    std::u16string_view style;
    std::uint8_t tileValue;  // what the capture derives from them
    bool stretched;
  };
  const Case cases[] = {
      {u"0", u"2", 0, true},    {u"1", u"6", 1, false},    {u"0", u"10", 0, false},
      {u" 1", u"0", 1, false},  {u"300", u" 2", 44, true},  // the tiling value is kept in 8 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.tile) + "/" + Utf16ToUtf8(c.style));
    Found(StringValue(OldPath), StringValue(c.tile), StringValue(c.style));
    TOldRec rec;
    GetOld(rec);
    EXPECT_EQ(rec.Tile, c.tileValue);
    EXPECT_EQ(rec.Stretched, c.stretched);
    SetPict(1, rec, Folder);
    EXPECT_TRUE(Shows(InFolder(u"mix1.bmp"), u"1", u"0"));
    SetPict(2, rec, Folder);
    EXPECT_TRUE(Shows(InFolder(u"mix2.bmp"), u"1", u"0"));
    SetPict(3, rec, Folder);
    EXPECT_TRUE(Shows(InFolder(u"Pict1.bmp"), u"1", u"0"));
    SetPict(4, rec, Folder);
    EXPECT_TRUE(Shows(OldPath, c.tile, c.style));
  }
}

TEST_F(WallpaperSettings, NumbersThatAreNoModeChangeNothing) {
  // A number-typed style would be overwritten by any write.
  Found(StringValue(OldPath), StringValue(u"0"), DwordValue(2));
  TOldRec rec;
  rec.CapturedCount = static_cast<int>(OldRecField::Stretched);
  for (const int number : {0, 5, -1, INT_MIN, INT_MAX}) {
    SetPict(number, rec, Folder);
    EXPECT_EQ(SystemWallpaper(), OldPath) << number;
    EXPECT_TRUE(HasString(TileWallpaperValue, u"0")) << number;
    const RawValue style = ReadRawValue(WallpaperStyleValue);
    EXPECT_EQ(style.type, DWORD{REG_DWORD}) << number;
  }
}

TEST_F(WallpaperSettings, AnEmptyPathReachesTheSystemAsNull) {
  Found(StringValue(u""), StringValue(u"0"), StringValue(u"2"));
  TOldRec rec;
  GetOld(rec);
  ASSERT_EQ(rec.Wallpaper, u"");
  SetPict(1, rec, Folder);
  SetPict(4, rec, Folder);
  // The null pointer leaves the system's wallpaper as it was (an empty text would have
  // cleared it); the tiling and style are written all the same.
  EXPECT_TRUE(Shows(InFolder(u"mix1.bmp"), u"0", u"2"));
}

TEST_F(WallpaperSettings, GetOldTakesTheColoursFirstThenStopsAtTheFirstFailure) {
  struct Case {
    const char* what;
    RawValue wallpaper, tile, style;
    std::u16string error;
    int captured;
    std::u16string_view wallpaperBack, tileBack, styleBack;  // after mode `x`, then mode `no`
  };
  const std::u16string mix1 = InFolder(u"mix1.bmp");
  const Case cases[] = {
      {"everything", StringValue(OldPath), StringValue(u"0"), StringValue(u"2"), NoError, 7, OldPath, u"0", u"2"},
      {"wallpaper a number", DwordValue(1), StringValue(u"0"), StringValue(u"2"),
       u"Invalid data type for 'Wallpaper'", 3, mix1, u"1", u"0"},
      {"tiling a number", StringValue(OldPath), DwordValue(0), StringValue(u"2"),
       u"Invalid data type for 'TileWallpaper'", 4, OldPath, u"1", u"0"},
      {"tiling missing", StringValue(OldPath), Absent, StringValue(u"2"), u"'' is not a valid integer value", 4,
       OldPath, u"1", u"0"},
      {"tiling no integer", StringValue(OldPath), StringValue(u"x"), StringValue(u"2"),
       u"'x' is not a valid integer value", 4, OldPath, u"1", u"0"},
      {"style with a trailing blank", StringValue(OldPath), StringValue(u"0"), StringValue(u"2 "),
       u"'2 ' is not a valid integer value", 5, OldPath, u"0", u"0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Found(c.wallpaper, c.tile, c.style);
    TOldRec rec;
    rec.Wallpaper = u"stale";
    rec.TileText = u"stale";
    EXPECT_EQ(Utf16ToUtf8(ErrorOf([&] { GetOld(rec); })), Utf16ToUtf8(c.error));
    EXPECT_EQ(rec.CapturedCount, c.captured);
    for (const SavedSystemColor& color : SavedSystemColors) {
      EXPECT_EQ(rec.*color.saved, GetSysColor(color.index)) << color.index;
    }
    EXPECT_EQ(rec.Wallpaper, c.captured >= 4 ? OldPath : u"");
    EXPECT_EQ(rec.TileText, c.captured >= 5 ? u"0" : u"");
    SetPict(1, rec, Folder);
    SetPict(4, rec, Folder);
    EXPECT_TRUE(Shows(c.wallpaperBack, c.tileBack, c.styleBack));
  }
}

TEST_F(WallpaperSettings, ARefusedWriteStopsBeforeTheStyleAndTheWallpaper) {
  Found(StringValue(OldPath), StringValue(u"0"), StringValue(u"2"));
  TOldRec rec;
  GetOld(rec);
  {
    const RestrictedKey restricted(ReadAccessOnly);
    EXPECT_EQ(Utf16ToUtf8(ErrorOf([&] { SetPict(2, rec, Folder); })), "Failed to set data for 'TileWallpaper'");
  }
  EXPECT_TRUE(Shows(OldPath, u"0", u"2"));
}

TEST_F(WallpaperSettings, ModeNoPutsBackTheSystemsCopyAndTheValuesNamingItsSource) {
  // Windows 8 and later: the wallpaper is the system's copy, which it rewrites whenever the
  // wallpaper changes, and the values name the picture it was made from.
  const std::u16string themes = ThemesFolder();
  ASSERT_FALSE(themes.empty());
  for (const std::u16string& folder : {UserAppDataFolder() + u"\\Microsoft", UserAppDataFolder() + u"\\Microsoft\\Windows", themes}) {
    CreateDirectoryW(ToWide(folder).c_str(), nullptr);
  }
  const std::u16string copyPath = themes + u"\\TranscodedWallpaper";
  const auto writeFile = [](const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    OutputFile file(path);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
  };
  const std::vector<std::uint8_t> users{0xFF, 0xD8, 0xFF, 0xE0, 'u', 's', 'e', 'r', 0xFF, 0xD9};
  writeFile(copyPath, users);
  const RawValue source = StringValue(u"C:\\Фото\\море.jpg");
  const RawValue cache{true, REG_BINARY, {0x7A, 0x03, 0, 0, 'C', 0, ':', 0}};
  WriteRawValue(WallpaperSourceKeyPath, WallpaperSourceValue, source);
  WriteRawValue(TranscodedImageCacheValue, cache);
  Found(StringValue(copyPath), StringValue(u"0"), StringValue(u"10"));

  TOldRec rec;
  GetOld(rec);
  EXPECT_EQ(rec.ThemesCopy, users);
  SetPict(1, rec, Folder);
  // What the system does when the wallpaper changes.
  writeFile(copyPath, {0xFF, 0xD8, 'm', 'i', 'x', 0xFF, 0xD9});
  WriteRawValue(WallpaperSourceKeyPath, WallpaperSourceValue, StringValue(InFolder(u"mix1.bmp")));
  WriteRawValue(TranscodedImageCacheValue, RawValue{true, REG_BINARY, {1}});

  EXPECT_TRUE(SetPict(4, rec, Folder));
  EXPECT_TRUE(Shows(copyPath, u"0", u"10"));
  EXPECT_EQ(ReadWholeFile(copyPath, 1 << 20), users);
  const RawValue sourceBack = ReadRawValue(WallpaperSourceKeyPath, WallpaperSourceValue);
  EXPECT_EQ(sourceBack.type, source.type);
  EXPECT_EQ(sourceBack.data, source.data);
  EXPECT_EQ(ReadRawValue(TranscodedImageCacheValue).data, cache.data);
  DeleteFileW(ToWide(copyPath).c_str());

  // A wallpaper elsewhere keeps no copy, and values that were not there are not made.
  WriteRawValue(TranscodedImageCacheValue, Absent);
  Found(StringValue(OldPath), StringValue(u"0"), StringValue(u"2"));
  GetOld(rec);
  EXPECT_FALSE(rec.ThemesCopy);
  EXPECT_FALSE(rec.TranscodedImageCache);
  SetPict(4, rec, Folder);
  EXPECT_FALSE(ReadRawValue(TranscodedImageCacheValue).exists);
}

TEST_F(WallpaperSettings, AWallpaperTheSystemRefusesIsWrittenIntoTheRegistryOrReported) {
  Found(StringValue(OldPath), StringValue(u"0"), StringValue(u"6"));
  TOldRec rec;
  GetOld(rec);
  SetPict(2, rec, Folder);
  const RefusedWallpaperCalls refused;
  EXPECT_FALSE(SetPict(4, rec, Folder));
  // What the next sign-in reads.
  EXPECT_TRUE(HasString(WallpaperValue, OldPath));
  EXPECT_TRUE(HasString(TileWallpaperValue, u"0"));
  EXPECT_TRUE(HasString(WallpaperStyleValue, u"6"));
  EXPECT_EQ(Utf16ToUtf8(ErrorOf([&] { SetPict(1, rec, Folder); })),
            Utf16ToUtf8(u"Cannot set the wallpaper \"" + InFolder(u"mix1.bmp") + u"\""));
  EXPECT_TRUE(SetPict(7, rec, Folder));  // no mode: nothing to refuse
}

}  // namespace
}  // namespace ovelix
