#include <gtest/gtest.h>

#include <cstdlib>

#include "core/key_color.h"
#include "core/platform/wide.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/test_files.h"

// The release package as a user gets it: unpacked into a folder of its own in a fresh prefix
// (run_package_test.sh names the folder), started from there and closed again.

namespace ovelix::e2e {
namespace {

// Ends in a backslash.
std::wstring PackageFolder() {
  const wchar_t* folder = _wgetenv(L"OVELIX_PACKAGE_FOLDER");
  return folder != nullptr ? folder : L"";
}

TEST(Package, StartsFromItsFolderComposesThereAndCloseRestoresTheWallpaper) {
  const std::wstring folder = PackageFolder();
  ASSERT_FALSE(folder.empty()) << "OVELIX_PACKAGE_FOLDER is not set";
  const Color green = MakeColor(0, 160, 60);
  const std::wstring wallpaper = WallpaperFolder() + L"green.bmp";
  WriteBmp24(wallpaper, 64, 48, [&](int, int) { return green; });
  const WallpaperValues found{FromWide(wallpaper), u"0", u"2"};
  found.Write();

  RunningProgram program(folder + L"Ovelix.exe");
  ASSERT_TRUE(program.WaitForStartUp());
  Bmp32 mix1;
  Bmp32 mix2;
  ASSERT_TRUE(mix1.Read(folder + L"mix1.bmp"));
  ASSERT_TRUE(mix2.Read(folder + L"mix2.bmp"));
  for (const Bmp32* mix : {&mix1, &mix2}) {
    EXPECT_EQ(mix->width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(mix->height, GetSystemMetrics(SM_CYSCREEN));
  }
  EXPECT_EQ(mix1.At(0, 0), KeyColor);
  EXPECT_EQ(mix1.At(1, 0), green);
  EXPECT_EQ(mix2.At(0, 0), green);
  EXPECT_EQ(mix2.At(1, 0), KeyColor);
  EXPECT_EQ(FileSize(folder + L"Pict1.bmp"), 54u + 92u * 3u * 78u);  // 92 x 78 pixels, 24 bits
  EXPECT_TRUE((WallpaperValues{FromWide(folder + L"mix1.bmp"), u"1", u"0"}.AreStored()));

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_TRUE(found.AreStored());
}

}  // namespace
}  // namespace ovelix::e2e
