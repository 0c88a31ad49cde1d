#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <memory>

#include "core/pattern.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/planted_dlls.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

namespace form1 = ui::form1;

// photo.jpg, 64 x 48, fades from red in its top row to blue in its bottom row.
Color PhotoJpegRow(int row) {
  return MakeColor(static_cast<std::uint8_t>(255 * (47 - row) / 47), 0, static_cast<std::uint8_t>(255 * row / 47));
}
constexpr int PhotoJpegTolerance = 12;  // what JPEG's compression changes

// photo.png, 16 x 12, holds red 16 x, green 20 y and blue 200 at (x, y).
Color PhotoPngAt(int x, int y) {
  return MakeColor(static_cast<std::uint8_t>(16 * x), static_cast<std::uint8_t>(20 * y), 200);
}

bool Near(Color a, Color b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

// A wallpaper of any format, its file kept as it was found.
struct WallpaperFile {
  std::wstring path;
  std::vector<std::uint8_t> bytes;
};

WallpaperFile FromTestData(const wchar_t* data, const std::wstring& name) {
  const std::wstring path = WallpaperFolder() + name;
  EXPECT_TRUE(CopyFileW((std::wstring(OVELIX_TEST_DATA L"\\") + data).c_str(), path.c_str(), FALSE));
  return {path, ReadFileBytes(path)};
}

class WallpaperFormats : public testing_support::DesktopTest {
 protected:
  // Whether a mixed picture shows, in each cell of a grid of the wallpaper's pixels (w x h,
  // stretched over the screen), the pattern's key colour and elsewhere the expected colour.
  static ::testing::AssertionResult Mixes(const std::wstring& file, MixMode mode, int w, int h,
                                          const std::function<Color(int, int)>& expected, int tolerance) {
    Bmp32 mix;
    if (!mix.Read(file)) return ::testing::AssertionFailure() << "cannot read the mixed picture";
    for (int row = 0; row < h; ++row) {
      for (int column = 0; column < w; ++column) {
        // Two neighbours in the middle of the cell, the first on an even row and column: in
        // either mode one of them keeps the picture.
        const int y = (2 * row + 1) * mix.height / (2 * h) & ~1;
        for (int x = (2 * column + 1) * mix.width / (2 * w) & ~1, end = x + 2; x < end; ++x) {
          const Color seen = mix.At(x, y);
          const bool key = IsKeyPixel(mode, x, y);
          if (key ? seen != KeyColor : !Near(seen, expected(column, row), tolerance)) {
            return ::testing::AssertionFailure() << std::hex << "at " << std::dec << x << "," << y << ": " << std::hex
                                                 << seen << (key ? ", not the key colour" : ", far from the picture's colour");
          }
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  // What the preview of mode no shows at its centre, once the mode is selected (which puts
  // back the settings found).
  static Color PreviewOfModeNo(RunningProgram& program, const WallpaperValues& found) {
    program.ClickAt(POINT{form1::OtherPanelLeft + form1::ModePanelSize.cx / 2,
                          form1::ModePanelTops[3] + form1::ModePanelSize.cy / 2});
    EXPECT_TRUE(Eventually([&] { return bool(found.AreStored()); }));
    const ScreenPixels screen = program.RepaintedScreen();
    RECT area;
    GetWindowRect(program.Child(form1::PanelPrevName), &area);
    return screen.At((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }

  // Starts the program, which mixes the wallpaper found; closing it puts back the settings
  // found and leaves the file as it was.
  // `plant` may put files beside the program before it starts.
  static void StartMixAndClose(const WallpaperFile& wallpaper, const WallpaperValues& found, const wchar_t* folder,
                               const std::function<void(RunningProgram&, const ProgramCopy&)>& whileRunning,
                               const std::function<void(const ProgramCopy&)>& plant = nullptr) {
    found.Write();
    ProgramCopy copy(folder);
    if (plant) plant(copy);
    RunningProgram program(copy.Executable());
    ASSERT_TRUE(program.WaitForStartUp());
    EXPECT_TRUE(program.TopLevelWindows(L"#32770").empty());
    EXPECT_TRUE(ModeXApplied(copy).AreStored());
    whileRunning(program, copy);
    CloseNormally(program);
    EXPECT_TRUE(found.AreStored());
    EXPECT_TRUE(ReadFileBytes(wallpaper.path) == wallpaper.bytes);
  }
};

TEST_F(WallpaperFormats, AJpegFilledOverTheDesktopIsMixedAndPutBackAsFound) {
  const WallpaperFile photo = FromTestData(L"photo.jpg", L"photo.jpg");
  StartMixAndClose(photo, {FromWide(photo.path), u"0", u"10"}, L"jpeg", [&](RunningProgram&, const ProgramCopy& copy) {
    const auto row = [](int, int y) { return PhotoJpegRow(y); };
    EXPECT_TRUE(Mixes(copy.File(L"mix1.bmp"), MixMode::x, 64, 48, row, PhotoJpegTolerance));
    EXPECT_TRUE(Mixes(copy.File(L"mix2.bmp"), MixMode::sharp, 64, 48, row, PhotoJpegTolerance));
  });
}

TEST_F(WallpaperFormats, APngFittedToTheDesktopIsMixedExactlyAndPutBackAsFound) {
  const WallpaperFile photo = FromTestData(L"photo.png", L"photo.png");
  StartMixAndClose(photo, {FromWide(photo.path), u"0", u"6"}, L"png", [&](RunningProgram& program, const ProgramCopy& copy) {
    EXPECT_TRUE(Mixes(copy.File(L"mix1.bmp"), MixMode::x, 16, 12, PhotoPngAt, 0));
    EXPECT_TRUE(Mixes(copy.File(L"mix2.bmp"), MixMode::sharp, 16, 12, PhotoPngAt, 0));
    // The loader of the preview does not know ".png": it shows the picture read at start.
    EXPECT_TRUE(Near(PreviewOfModeNo(program, {FromWide(photo.path), u"0", u"6"}), PhotoPngAt(8, 6), 40));
    EXPECT_TRUE(program.TopLevelWindows(L"#32770").empty());
  });
}

TEST_F(WallpaperFormats, ANameThatDoesNotSayWhatTheFileHoldsStillStarts) {
  // A BMP named as a JPEG, and the JPEG without extension that Windows 8 and later keep.
  const std::wstring blueJpg = WallpaperFolder() + L"blue.jpg";
  WriteBmp24(blueJpg, 40, 30, [](int, int) { return WallpaperBlue; });
  const WallpaperFile cases[] = {{blueJpg, ReadFileBytes(blueJpg)}, FromTestData(L"photo.jpg", L"TranscodedWallpaper")};
  for (const WallpaperFile& wallpaper : cases) {
    SCOPED_TRACE(Utf16ToUtf8(FromWide(wallpaper.path)));
    const bool bmp = wallpaper.path == blueJpg;
    const WallpaperValues found{FromWide(wallpaper.path), u"1", u"0"};
    StartMixAndClose(wallpaper, found, L"misnamed",
                     [&](RunningProgram& program, const ProgramCopy& copy) {
                       if (bmp) {
                         EXPECT_TRUE(Mixes(copy.File(L"mix1.bmp"), MixMode::x, 1, 1,
                                           [](int, int) { return WallpaperBlue; }, 0));
                       } else {
                         EXPECT_TRUE(Mixes(copy.File(L"mix1.bmp"), MixMode::x, 64, 48,
                                           [](int, int y) { return PhotoJpegRow(y); }, PhotoJpegTolerance));
                       }
                       // The preview of mode no shows the picture read at start, no error.
                       const Color preview = PreviewOfModeNo(program, found);
                       EXPECT_TRUE(bmp ? preview == WallpaperBlue : Near(preview, PhotoJpegRow(24), 40));
                       EXPECT_TRUE(program.TopLevelWindows(L"#32770").empty());
                     });
  }
}

TEST_F(WallpaperFormats, ABrokenJpegStopsStartUpWithAnErrorAndChangesNothing) {
  const std::wstring path = WallpaperFolder() + L"broken.jpg";
  // The headers of a JPEG and no picture.
  const std::vector<std::uint8_t> bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0,    1,
                                        1,    0,    0,    1,    0, 1,  0,   0,   0xFF, 0xD9};
  WriteFileBytes(path, bytes);
  const WallpaperValues found{FromWide(path), u"0", u"10"};
  found.Write();
  ProgramCopy copy(L"broken-jpeg");
  RunningProgram program(copy.Executable());
  const HWND error = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(DialogText(error), L"JPEG error #51.");  // libjpeg's "JPEG datastream contains no image"
  PressDialogButton(error, IDOK);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(error); }));
  EXPECT_TRUE(program.IsShown(form1::PanelLogoName));
  EXPECT_FALSE(FileExists(copy.File(L"mix1.bmp")) || FileExists(copy.File(L"mix2.bmp")) ||
               FileExists(copy.File(L"Pict1.bmp")));
  EXPECT_TRUE(found.AreStored());

  CloseNormally(program);
  EXPECT_TRUE(found.AreStored());
  EXPECT_TRUE(ReadFileBytes(path) == bytes);
}

// The full path of a DLL that a process has loaded; empty when it has none of that name.
std::wstring LoadedModule(DWORD processId, const std::wstring& name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  std::wstring path;
  for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module)) {
    if (_wcsicmp(module.szModule, name.c_str()) == 0) path = module.szExePath;
  }
  CloseHandle(snapshot);
  return path;
}

TEST_F(WallpaperFormats, GdiPlusComesFromItsAssemblyNeverFromBesideTheProgram) {
  const WallpaperFile photo = FromTestData(L"photo.png", L"photo.png");
  std::unique_ptr<PlantedDlls> planted;
  const auto plant = [&](const ProgramCopy& copy) { planted.reset(new PlantedDlls(copy.Folder(), {u"gdiplus"})); };
  StartMixAndClose(
      photo, {FromWide(photo.path), u"0", u"2"}, L"planted-gdiplus",
      [&](RunningProgram& program, const ProgramCopy& copy) {
        EXPECT_TRUE(Mixes(copy.File(L"mix1.bmp"), MixMode::x, 16, 12, PhotoPngAt, 0));
        EXPECT_EQ(planted->Loaded(), std::vector<std::u16string>{});
        std::wstring loaded = LoadedModule(program.ProcessId(), L"gdiplus.dll");
        std::transform(loaded.begin(), loaded.end(), loaded.begin(), [](wchar_t c) { return std::towlower(c); });
        EXPECT_NE(loaded.find(L"\\winsxs\\"), std::wstring::npos) << Utf16ToUtf8(FromWide(loaded));
      },
      plant);
}

}  // namespace
}  // namespace ovelix::e2e
