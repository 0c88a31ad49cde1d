#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/key_color.h"
#include "core/pattern.h"
#include "core/platform/wide.h"
#include "desktop/registry_key.h"
#include "ui/com_apartment.h"
#include "ui/tests/accessible_tree.h"
#include "ui/tests/e2e/planted_dlls.h"
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

constexpr Color Green = MakeColor(0, 160, 60);

// A green BMP made the wallpaper, as the start then finds it.
WallpaperValues GreenWallpaper() {
  const std::wstring wallpaper = WallpaperFolder() + L"green.bmp";
  WriteBmp24(wallpaper, 64, 48, [](int, int) { return Green; });
  const WallpaperValues found{FromWide(wallpaper), u"0", u"2"};
  found.Write();
  return found;
}

TEST(Package, StartsFromItsFolderComposesThereAndCloseRestoresTheWallpaper) {
  const std::wstring folder = PackageFolder();
  ASSERT_FALSE(folder.empty()) << "OVELIX_PACKAGE_FOLDER is not set";
  const WallpaperValues found = GreenWallpaper();

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
  EXPECT_EQ(mix1.At(1, 0), Green);
  EXPECT_EQ(mix2.At(0, 0), Green);
  EXPECT_EQ(mix2.At(1, 0), KeyColor);
  EXPECT_EQ(FileSize(folder + L"Pict1.bmp"), 54u + 92u * 3u * 78u);  // 92 x 78 pixels, 24 bits
  EXPECT_TRUE((WallpaperValues{FromWide(folder + L"mix1.bmp"), u"1", u"0"}.AreStored()));

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_TRUE(found.AreStored());
}

// The release is built for the Windows thread model of the compilers, unlike the tests: a JPEG
// is decoded on the program's second thread there too.
TEST(Package, MixesAJpegWallpaper) {
  const std::wstring folder = PackageFolder();
  ASSERT_FALSE(folder.empty()) << "OVELIX_PACKAGE_FOLDER is not set";
  const std::wstring wallpaper = WallpaperFolder() + L"photo.jpg";  // red at the top, blue at the bottom
  ASSERT_TRUE(CopyFileW((std::wstring(OVELIX_TEST_DATA) + L"\\photo.jpg").c_str(), wallpaper.c_str(), FALSE));
  const WallpaperValues found{FromWide(wallpaper), u"0", u"2"};
  found.Write();

  RunningProgram program(folder + L"Ovelix.exe");
  ASSERT_TRUE(program.WaitForStartUp());
  Bmp32 mix1;
  ASSERT_TRUE(mix1.Read(folder + L"mix1.bmp"));
  const Color top = mix1.At(1, 0);
  const int last = mix1.height - 1;
  const Color bottom = mix1.At(IsKeyPixel(MixMode::x, 0, last) ? 1 : 0, last);
  EXPECT_TRUE(RedOf(top) > 200 && BlueOf(top) < 50) << std::hex << top;
  EXPECT_TRUE(RedOf(bottom) < 50 && BlueOf(bottom) > 200) << std::hex << bottom;

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_TRUE(found.AreStored());
}

// Whether the window's accessible object, as a tool in another process asks for it, is the
// program's own: it has children that are no windows.
bool AnswersWithItsOwnObject(HWND window) {
  const ui::ComApartment com;  // as a tool has it
  const testing_support::AccessibleRef client = testing_support::ClientObject(window);
  if (client == nullptr) return false;
  const std::vector<testing_support::AccessibleChild> children = testing_support::ReadChildren(*client);
  return std::any_of(children.begin(), children.end(),
                     [](const testing_support::AccessibleChild& child) { return child.window == nullptr; });
}

// A zip is mostly unpacked into Downloads, where a web page can drop files. Windows looks for
// a DLL that is not one of its known DLLs in the program's folder first.
TEST(Package, LoadsNoDllPlantedBesideIt) {
  const std::wstring folder = PackageFolder();
  ASSERT_FALSE(folder.empty()) << "OVELIX_PACKAGE_FOLDER is not set";
  const PlantedDlls planted(folder, {u"comctl32", u"msimg32", u"oleacc", u"uxtheme", u"gdiplus"});
  GreenWallpaper();

  {
    RunningProgram program(folder + L"Ovelix.exe");
    const bool started = program.WaitForStartUp();  // its windows made, the hints among them
    EXPECT_TRUE(started);
    if (started) {
      EXPECT_TRUE(AnswersWithItsOwnObject(program.MainWindow()));
      program.Post(WM_CLOSE);
      EXPECT_EQ(program.WaitForExit(), 0u);
    }
  }
  EXPECT_EQ(planted.Loaded(), std::vector<std::u16string>{}) << "loaded from the program's folder";
}

}  // namespace
}  // namespace ovelix::e2e
