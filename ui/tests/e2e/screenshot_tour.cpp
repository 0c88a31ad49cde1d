// ./dev run on a machine without a display: starts the program with a sample wallpaper,
// walks through its modes and saves a screenshot at each step as a BMP file into the
// folder given as the first argument. Prints each file name on a line of its own.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/bmp_file.h"
#include "core/mix_mode.h"
#include "core/platform/wide.h"
#include "desktop/tests/screen_capture.h"
#include "desktop/tests/desktop_state.h"
#include "desktop/wallpaper_registry.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/test_files.h"

namespace {

using namespace ovelix;
using namespace ovelix::e2e;

// A sky at dusk over hills, the size of the screen.
std::wstring WriteSampleWallpaper() {
  const std::wstring path = WallpaperFolder() + L"sample.bmp";
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  WriteBmp24(path, width, height, [&](int x, int y) {
    const double hill = height * (0.72 + 0.06 * std::sin(x * 6.0 / width));
    if (y > hill) return MakeColor(30, static_cast<std::uint8_t>(90 + 40 * (y - hill) / height), 40);
    const double t = static_cast<double>(y) / hill;
    return MakeColor(static_cast<std::uint8_t>(40 + 200 * t), static_cast<std::uint8_t>(60 + 90 * t),
                     static_cast<std::uint8_t>(160 - 60 * t));
  });
  return path;
}

// Saves a part of the screen.
void Shoot(const std::wstring& folder, const wchar_t* name, RECT area, bool announce = true) {
  const ScreenPixels screen = ReadPrimaryScreen();
  const RECT whole{0, 0, screen.width, screen.height};
  IntersectRect(&area, &area, &whole);
  Picture picture(area.right - area.left, area.bottom - area.top, PixelFormat::Bits32);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) picture.SetPixel(x - area.left, y - area.top, screen.At(x, y));
  const std::wstring path = folder + L"\\" + name + L".bmp";
  WriteBmpFile(FromWide(path), picture);
  if (!announce) return;
  std::printf("%ls\n", path.c_str());
  std::fflush(stdout);
}

RECT WindowArea(HWND window) {
  RECT area;
  GetWindowRect(window, &area);
  return area;
}

// Wine's desktop shows a new wallpaper only when it starts. So the desktop picture is taken
// on a second desktop, started now, by another run of this program on that desktop.
void ShootDesktopWallpaper(const std::wstring& folder) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring commandLine = L"explorer.exe /desktop=Wallpaper," + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) +
                             L"x" + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L" \"" + self +
                             L"\" --desktop \"" + folder + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    throw std::runtime_error("cannot start a second desktop");
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  // Done once the writer has let go of the file: then nobody else holds it open.
  const std::wstring shot = folder + L"\\desktop.bmp";
  const auto written = [&] {
    const HANDLE file = CreateFileW(shot.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  };
  if (!Eventually(written, 20s)) throw std::runtime_error("no desktop picture");
  std::printf("%ls\n", shot.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--desktop") {
    Sleep(1500);  // the new desktop paints its wallpaper
    Shoot(argv[2], L"desktop", {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, false);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot_tour FOLDER\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  try {
    const std::u16string sample = FromWide(WriteSampleWallpaper());
    WallpaperValues{sample, u"0", u"2"}.Write();
    ProgramCopy copy(L"dev-run");
    RunningProgram program(copy.Executable());
    if (!program.WaitForStartUp()) throw std::runtime_error("the program did not start");
    const HWND window = program.MainWindow();
    MoveMouseAway();  // no hover effects or hints in the pictures
    program.RepaintedScreen();
    Shoot(folder, L"window", WindowArea(window));

    // Each mode, once its wallpaper is applied.
    const struct {
      const wchar_t* name;
      int panel;  // in the layout's order: x, sharp, full, no
      std::u16string wallpaper;
    } modes[] = {{L"mode-sharp", 1, FromWide(copy.File(L"mix2.bmp"))},
                 {L"mode-full", 2, FromWide(copy.File(L"Pict1.bmp"))},
                 {L"mode-no", 3, sample},
                 {L"mode-x", 0, FromWide(copy.File(L"mix1.bmp"))}};
    for (const auto& mode : modes) {
      program.ClickAt(ui::Bounds(ui::form1::OtherPanelLeft, ui::form1::ModePanelTops[mode.panel],
                                 ui::form1::ModePanelSize.cx, ui::form1::ModePanelSize.cy));
      if (!Eventually([&] { return testing_support::HasString(WallpaperValue, mode.wallpaper); })) {
        throw std::runtime_error("a mode was not applied");
      }
      program.RepaintedScreen();
      Shoot(folder, mode.name, WindowArea(window));
    }

    // Two colour boxes checked: their captions turn green. Cleared again afterwards.
    for (const bool checked : {true, false}) {
      for (const RECT& box : {ui::form1::CheckUseWhite, ui::form1::CheckUseBlack}) program.ClickAt(box);
      if (!Eventually([&] { return program.Boxes() == BoxStates{checked, checked, false}; })) {
        throw std::runtime_error("the colour boxes did not follow the clicks");
      }
      if (!checked) break;
      program.RepaintedScreen();
      Shoot(folder, L"boxes-checked", WindowArea(window));
    }

    // The keyboard: Tab to the chosen mode's panel, Down to the next mode, which keeps the focus.
    program.WaitUntilReady();
    const HWND sharp = program.Child(ModeTable[1].panelCaption);
    const auto onChosenMode = [&] { return program.Focus() == program.Child(ModeTable[0].panelCaption); };
    for (int presses = 0; presses < 4 && !onChosenMode(); ++presses) {
      const HWND before = program.Focus();
      program.PressKeys({VK_TAB});
      Eventually([&] { return program.Focus() != before; });
    }
    if (!onChosenMode()) throw std::runtime_error("Tab did not reach the chosen mode");
    program.PressKeys({VK_DOWN});
    const auto sharpChosen = [&] {
      return program.Focus() == sharp && testing_support::HasString(WallpaperValue, modes[0].wallpaper);
    };
    if (!Eventually(sharpChosen)) throw std::runtime_error("Down did not choose the next mode");
    program.RepaintedScreen();
    Shoot(folder, L"keyboard", WindowArea(window));
    program.PressKeys({VK_UP});
    if (!Eventually([&] { return testing_support::HasString(WallpaperValue, modes[3].wallpaper); })) {
      throw std::runtime_error("Up did not choose mode x again");
    }

    // The donation dialog, from the "Справка" menu.
    program.WaitUntilReady();
    program.ChooseFromMenu({VK_RIGHT, VK_DOWN, VK_RETURN});
    const auto dialogs = program.TopLevelWindows(L"TWMRForm");
    if (dialogs.empty() || !Eventually([&] { return IsWindowVisible(dialogs.front()) != FALSE; })) {
      throw std::runtime_error("the donation dialog did not show");
    }
    MoveMouseAway();
    program.RepaintedScreen();
    Shoot(folder, L"donation", WindowArea(dialogs.front()));

    // Last: the second desktop covers the first one on the display.
    ShootDesktopWallpaper(folder);

    program.Post(WM_CLOSE);
    if (program.WaitForExit() != 0u) throw std::runtime_error("the program did not close");
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "screenshot_tour: %s\n", e.what());
    return 1;
  }
}
