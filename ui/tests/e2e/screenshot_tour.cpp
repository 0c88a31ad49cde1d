// ./dev run on a machine without a display: starts the program with a sample wallpaper,
// walks through its modes and saves a screenshot at each step as a BMP file into the
// folder given as the first argument. Prints each file name on a line of its own.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/bmp_file.h"
#include "core/platform/wide.h"
#include "desktop/screen_painter.h"
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
  const std::wstring shot = folder + L"\\desktop.bmp";
  if (!Eventually([&] { return FileExists(shot); }, 20s)) throw std::runtime_error("no desktop picture");
  Sleep(200);  // let the writer finish
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
    WallpaperValues{FromWide(WriteSampleWallpaper()), u"0", u"2"}.Write();
    ProgramCopy copy(L"dev-run");
    RunningProgram program(copy.Executable());
    if (!program.WaitForStartUp()) throw std::runtime_error("the program did not start");
    const HWND window = program.MainWindow();
    MoveMouse({0, GetSystemMetrics(SM_CYSCREEN) - 1});  // no hover effects or hints in the pictures
    program.RepaintedScreen();
    Shoot(folder, L"window", WindowArea(window));

    const struct {
      const wchar_t* name;
      POINT panel;  // a point of the mode's panel, in design pixels
    } modes[] = {{L"mode-sharp", {60, 60}}, {L"mode-full", {60, 108}}, {L"mode-no", {60, 156}}, {L"mode-x", {60, 12}}};
    for (const auto& mode : modes) {
      program.ClickAt(mode.panel);
      program.RepaintedScreen();
      Shoot(folder, mode.name, WindowArea(window));
    }

    // Two colour boxes checked: their captions turn green. Cleared again afterwards.
    const POINT boxes[] = {{70, 204}, {70, 224}};
    for (const POINT box : boxes) program.ClickAt(box);
    program.RepaintedScreen();
    Shoot(folder, L"boxes-checked", WindowArea(window));
    for (const POINT box : boxes) program.ClickAt(box);

    // The donation dialog, from the "Справка" menu.
    SetForegroundWindow(window);
    for (const WORD key : std::initializer_list<WORD>{VK_MENU, VK_RIGHT, VK_DOWN, VK_RETURN}) program.PressKeys({key});
    const auto dialogs = program.TopLevelWindows(L"TWMRForm");
    if (dialogs.empty() || !Eventually([&] { return IsWindowVisible(dialogs.front()) != FALSE; })) {
      throw std::runtime_error("the donation dialog did not show");
    }
    MoveMouse({0, GetSystemMetrics(SM_CYSCREEN) - 1});
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
