#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/platform/wide.h"
#include "desktop/recovery.h"
#include "desktop/tests/desktop_state.h"
#include "desktop/user_folders.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

using testing_support::RawValue;
using testing_support::ReadRawValue;
using testing_support::StringValue;
using testing_support::WriteRawValue;

// green.jpg: 32 x 24 pixels of one colour.
constexpr Color Green = MakeColor(30, 160, 90);

// Windows 8 and later: the wallpaper is the system's copy in the user's Themes folder, JPEG
// data without an extension, which the system rewrites whenever the wallpaper changes; the
// values beside it name the picture it was made from.
class ThemesCopy : public testing_support::DesktopTest {
 protected:
  ThemesCopy() {
    const std::u16string appData = UserAppDataFolder();
    for (const std::u16string& folder : {appData + u"\\Microsoft", appData + u"\\Microsoft\\Windows", ThemesFolder()}) {
      CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    }
    usersCopy_ = ReadFileBytes(OVELIX_TEST_DATA L"\\green.jpg");
    WriteFileBytes(copyPath_, usersCopy_);
    WriteRawValue(WallpaperSourceKeyPath, WallpaperSourceValue, source_);
    WriteRawValue(TranscodedImageCacheValue, cache_);
    found_.Write();
  }
  ~ThemesCopy() override { DeleteFileW(copyPath_.c_str()); }

  // What the system does when the program sets its picture: a copy of that picture.
  void SystemRewritesItsCopy(const ProgramCopy& copy) {
    WriteFileBytes(copyPath_, ReadFileBytes(copy.File(L"mix1.bmp")));
    WriteRawValue(WallpaperSourceKeyPath, WallpaperSourceValue, StringValue(FromWide(copy.File(L"mix1.bmp"))));
    WriteRawValue(TranscodedImageCacheValue, RawValue{true, REG_BINARY, {1, 2, 3}});
  }

  static void ExpectMixedFromGreen(const ProgramCopy& copy) {
    Bmp32 mix2;
    ASSERT_TRUE(mix2.Read(copy.File(L"mix2.bmp")));
    const Color seen = mix2.At(0, 0);
    EXPECT_LE(std::abs(RedOf(seen) - RedOf(Green)) + std::abs(GreenOf(seen) - GreenOf(Green)) +
                  std::abs(BlueOf(seen) - BlueOf(Green)),
              6)
        << std::hex << seen;
  }

  ::testing::AssertionResult AllIsAsFound() {
    if (auto stored = found_.AreStored(); !stored) return stored;
    if (ReadFileBytes(copyPath_) != usersCopy_) return ::testing::AssertionFailure() << "the Themes copy differs";
    const RawValue source = ReadRawValue(WallpaperSourceKeyPath, WallpaperSourceValue);
    const RawValue cache = ReadRawValue(TranscodedImageCacheValue);
    if (source.type != source_.type || source.data != source_.data) return ::testing::AssertionFailure() << "source";
    if (cache.type != cache_.type || cache.data != cache_.data) return ::testing::AssertionFailure() << "cache";
    if (ReadRecord()) return ::testing::AssertionFailure() << "a record is left";
    return ::testing::AssertionSuccess();
  }

  const std::wstring copyPath_ = ToWide(ThemesFolder()) + L"\\TranscodedWallpaper";
  std::vector<std::uint8_t> usersCopy_;
  const RawValue source_ = StringValue(u"C:\\Фото\\луг.jpg");
  const RawValue cache_{true, REG_BINARY, {0x7A, 0x03, 0, 0, 0x11, 0x22, 'C', 0, ':', 0, 0, 0}};
  const WallpaperValues found_{FromWide(copyPath_), u"0", u"10"};
};

TEST_F(ThemesCopy, CloseWritesTheUsersBytesBackBeforeItPutsTheWallpaperBack) {
  ProgramCopy copy(L"themes");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  ExpectMixedFromGreen(copy);
  SystemRewritesItsCopy(copy);
  CloseNormally(program);
  EXPECT_TRUE(AllIsAsFound());
}

TEST_F(ThemesCopy, AStartAfterAKilledRunMixesFromTheBytesKeptAndPutsThemBack) {
  ProgramCopy first(L"themes-killed");
  {
    RunningProgram killed(first.Executable());
    ASSERT_TRUE(killed.WaitForStartUp());
    SystemRewritesItsCopy(first);
  }
  ProgramCopy second(L"themes-next");
  RunningProgram next(second.Executable());
  ASSERT_TRUE(next.WaitForStartUp());
  ExpectMixedFromGreen(second);  // not from the system's copy of the killed run's picture
  SystemRewritesItsCopy(second);
  CloseNormally(next);
  EXPECT_TRUE(AllIsAsFound());
}

}  // namespace
}  // namespace ovelix::e2e
