#include <gtest/gtest.h>

#include "core/platform/wide.h"
#include "desktop/tests/desktop_state.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

// Wine takes the system DPI from this value when a process starts.
constexpr const wchar_t* FontsKey = L"Control Panel\\Desktop";
constexpr const wchar_t* LogPixels = L"LogPixels";

class ScaledDesktop : public testing_support::DesktopTest {
 protected:
  void SetDpi(DWORD dpi) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, FontsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, LogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
  void TearDown() override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, FontsKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, LogPixels);
      RegCloseKey(key);
    }
  }
};

struct Measured {
  SIZE client;
  SIZE picture;
};

Measured StartAndMeasure(const wchar_t* name) {
  const std::wstring wallpaper = WallpaperFolder() + L"grey.bmp";
  WriteBmp24(wallpaper, 16, 16, [](int, int) { return MakeColor(128, 128, 128); });
  WallpaperValues{FromWide(wallpaper), u"0", u"0"}.Write();
  ProgramCopy copy(name);
  RunningProgram program(copy.Executable());
  Measured measured{};
  EXPECT_TRUE(program.WaitForStartUp());
  RECT client{};
  GetClientRect(program.MainWindow(), &client);
  measured.client = {client.right, client.bottom};
  Bmp32 mix1;
  EXPECT_TRUE(mix1.Read(copy.File(L"mix1.bmp")));
  measured.picture = {mix1.width, mix1.height};
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  return measured;
}

TEST_F(ScaledDesktop, At144DpiTheWindowIsHalfAgainAsLargeAndThePicturesStayPhysical) {
  // This process started at 96 DPI, so the screen size it sees is the physical one.
  const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SetDpi(96);
  const Measured at96 = StartAndMeasure(L"dpi-96");
  EXPECT_EQ(at96.client.cx, 334);
  EXPECT_EQ(at96.client.cy, 264);
  EXPECT_EQ(at96.picture.cx, screen.cx);
  EXPECT_EQ(at96.picture.cy, screen.cy);

  SetDpi(144);
  const Measured at144 = StartAndMeasure(L"dpi-144");
  EXPECT_EQ(at144.client.cx, 501);
  EXPECT_EQ(at144.client.cy, 396);
  EXPECT_EQ(at144.picture.cx, screen.cx);
  EXPECT_EQ(at144.picture.cy, screen.cy);
}

}  // namespace
}  // namespace ovelix::e2e
