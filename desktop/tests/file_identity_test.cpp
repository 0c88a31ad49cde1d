#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/file_identity.h"

namespace ovelix {
namespace {

// A folder whose names are no 8.3 names, so that the system makes short ones for them.
class FileIdentity : public ::testing::Test {
 protected:
  FileIdentity() {
    for (const std::u16string& folder : {Root, Root + u"\\Long folder name", Root + u"\\Long folder name\\Themes",
                                         Root + u"\\Long folder name\\Themes\\CachedFiles",
                                         Root + u"\\Long folder name\\Themes2"}) {
      CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    }
    for (const std::u16string& file : {Picture, Other, Cached, Beside}) Touch(file);
  }
  ~FileIdentity() override {
    for (const std::u16string& file : {Picture, Other, Cached, Beside}) DeleteFileW(ToWide(file).c_str());
  }

  static void Touch(const std::u16string& path) {
    const HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf16ToUtf8(path);
    CloseHandle(file);
  }

  static std::u16string ShortName(const std::u16string& path) {
    wchar_t buffer[MAX_PATH] = {};
    GetShortPathNameW(ToWide(path).c_str(), buffer, MAX_PATH);
    return FromWide(buffer);
  }

  const std::u16string Root = u"C:\\ovelix-identity";
  const std::u16string Themes = Root + u"\\Long folder name\\Themes";
  const std::u16string Picture = Root + u"\\Long folder name\\Картинка номер один.bmp";
  const std::u16string Other = Root + u"\\Long folder name\\other.bmp";
  const std::u16string Cached = Themes + u"\\CachedFiles\\CachedImage_1920_1080_POS4.jpg";
  const std::u16string Beside = Root + u"\\Long folder name\\Themes2\\TranscodedWallpaper";
};

TEST_F(FileIdentity, OneFileHowEverItsPathIsSpelled) {
  const std::u16string shortName = ShortName(Picture);
  ASSERT_FALSE(shortName.empty());
  ASSERT_NE(shortName, Picture);
  const std::u16string spellings[] = {
      Picture,
      u"c:\\OVELIX-IDENTITY\\long FOLDER name\\КАРТИНКА номер один.BMP",
      shortName,
      Root + u"\\Long folder name\\Themes\\..\\Картинка номер один.bmp",
      u"C:/ovelix-identity/Long folder name/Картинка номер один.bmp",
      u"\\\\?\\" + Picture,
  };
  for (const std::u16string& spelling : spellings) EXPECT_TRUE(SameFile(spelling, Picture)) << Utf16ToUtf8(spelling);
  EXPECT_FALSE(SameFile(Other, Picture));
  EXPECT_FALSE(SameFile(Root + u"\\missing.bmp", Root + u"\\missing.bmp"));  // nothing to be the same
  EXPECT_FALSE(SameFile(u"", u""));
}

TEST_F(FileIdentity, InsideAFolderAtAnyDepth) {
  EXPECT_TRUE(LiesUnder(Themes + u"\\TranscodedWallpaper", Themes));  // need not exist
  EXPECT_TRUE(LiesUnder(Cached, Themes));
  EXPECT_TRUE(LiesUnder(ShortName(Cached), Themes));
  EXPECT_TRUE(LiesUnder(Cached, ShortName(Themes)));
  EXPECT_FALSE(LiesUnder(Beside, Themes));
  EXPECT_FALSE(LiesUnder(Picture, Themes));
  EXPECT_FALSE(LiesUnder(Themes, Themes));
  EXPECT_FALSE(LiesUnder(u"TranscodedWallpaper", Themes));
  EXPECT_FALSE(LiesUnder(Cached, Root + u"\\missing"));
}

}  // namespace
}  // namespace ovelix
