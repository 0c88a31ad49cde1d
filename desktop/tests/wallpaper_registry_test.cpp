#include <gtest/gtest.h>

#include <string>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/wallpaper_registry.h"
#include "desktop_state.h"

namespace ovelix {
namespace {

using namespace std::literals;
using namespace testing_support;

class WallpaperRegistry : public DesktopTest {};

RawValue Bytes(DWORD type, std::u16string_view text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  return {true, type, {bytes, bytes + text.size() * sizeof(char16_t)}};
}

TEST_F(WallpaperRegistry, ReadsStringsAsTheyAreStored) {
  struct Case {
    const char* what;
    RawValue stored;
    std::u16string expected;  // the path, or the error text
  };
  const Case cases[] = {
      {"Cyrillic path", StringValue(u"C:\\Обои\\кот.bmp"), u"C:\\Обои\\кот.bmp"},
      {"expandable, not expanded", StringValue(u"%SystemRoot%\\a.bmp", REG_EXPAND_SZ), u"%SystemRoot%\\a.bmp"},
      {"cut at the first zero", StringValue(u"C:\\a.bmp\0C:\\b.bmp"sv), u"C:\\a.bmp"},
      {"stored without its zero", Bytes(REG_SZ, u"C:\\a.bmp"), u"C:\\a.bmp"},
      {"missing", Absent, u""},
      {"no data at all", Bytes(REG_SZ, u""), u""},
      {"empty data of another type", Bytes(REG_BINARY, u""), u""},
      {"only the zero", StringValue(u""), u""},
      {"a number", DwordValue(1), u"Invalid data type for 'Wallpaper'"},
      {"a list of strings", StringValue(u"a\0b\0"sv, REG_MULTI_SZ), u"Invalid data type for 'Wallpaper'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRawValue(WallpaperValue, c.stored);
    std::u16string path = u"(no answer)";
    const std::u16string error = ErrorOf([&] { path = ReadWallpaperPath(); });
    EXPECT_EQ(Utf16ToUtf8(error == u"(no error)" ? path : error), Utf16ToUtf8(c.expected));
  }
}

TEST_F(WallpaperRegistry, ReadsTilingAndStyleAsTheTextsStored) {
  struct Case {
    RawValue stored;
    std::u16string tile;  // the text read, or the error text
    std::u16string style;
  };
  const Case cases[] = {
      {StringValue(u" 1"), u" 1", u" 1"},
      {StringValue(u"10"), u"10", u"10"},
      {StringValue(u"1 "), u"1 ", u"1 "},
      {StringValue(u"2", REG_EXPAND_SZ), u"2", u"2"},
      {StringValue(u"2\0 junk"sv), u"2", u"2"},
      {Absent, u"", u""},
      {DwordValue(1), u"Invalid data type for 'TileWallpaper'", u"Invalid data type for 'WallpaperStyle'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.tile));
    WriteRawValue(TileWallpaperValue, c.stored);
    WriteRawValue(WallpaperStyleValue, c.stored);
    std::u16string tile;
    std::u16string style;
    const std::u16string tileError = ErrorOf([&] { tile = ReadTileWallpaper(); });
    const std::u16string styleError = ErrorOf([&] { style = ReadWallpaperStyle(); });
    EXPECT_EQ(Utf16ToUtf8(tileError == NoError ? tile : tileError), Utf16ToUtf8(c.tile));
    EXPECT_EQ(Utf16ToUtf8(styleError == NoError ? style : styleError), Utf16ToUtf8(c.style));
  }
}

TEST_F(WallpaperRegistry, WritesTextsWithTheirZero) {
  WriteRawValue(TileWallpaperValue, DwordValue(7));
  WriteRawValue(WallpaperStyleValue, Absent);
  for (const std::u16string_view text : {u"1", u" 1", u"22"}) {
    WriteTileWallpaper(text);
    EXPECT_TRUE(HasString(TileWallpaperValue, text));
    WriteWallpaperStyle(text);
    EXPECT_TRUE(HasString(WallpaperStyleValue, text));
  }
}

TEST_F(WallpaperRegistry, ReadingFallsBackToQueryAccessAlone) {
  WriteRawValue(WallpaperValue, StringValue(u"C:\\a.bmp"));
  WriteRawValue(TileWallpaperValue, StringValue(u"1"));
  WriteRawValue(WallpaperStyleValue, StringValue(u"2"));
  const RestrictedKey restricted(QueryAccessOnly);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(DesktopKeyPath).c_str(), 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadWallpaperPath(), u"C:\\a.bmp");
  EXPECT_EQ(ReadTileWallpaper(), u"1");
  EXPECT_EQ(ReadWallpaperStyle(), u"2");
}

TEST_F(WallpaperRegistry, RefusedWritesFailAndChangeNothing) {
  WriteRawValue(TileWallpaperValue, StringValue(u"0"));
  WriteRawValue(WallpaperStyleValue, StringValue(u"2"));
  const RestrictedKey restricted(ReadAccessOnly);
  EXPECT_EQ(Utf16ToUtf8(ErrorOf([] { WriteTileWallpaper(u"1"); })), "Failed to set data for 'TileWallpaper'");
  EXPECT_EQ(Utf16ToUtf8(ErrorOf([] { WriteWallpaperStyle(u"0"); })), "Failed to set data for 'WallpaperStyle'");
  EXPECT_TRUE(HasString(TileWallpaperValue, u"0"));
  EXPECT_TRUE(HasString(WallpaperStyleValue, u"2"));
}

}  // namespace
}  // namespace ovelix
