// Under Wine, at the size of the display it runs on: the real program's start-up, from its
// main window shown to the first mixed wallpaper applied, against an I/O floor taken in the
// same session: reading the wallpaper and writing files of the sizes the program writes, with
// plain Win32 calls, each replacing the file before it as the program does. And the start-up
// with a 6000 x 4000 JPEG, a camera's photograph, against that with the screen-size BMP.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/compose_workload.h"
#include "core/platform/wide.h"
#include "core/tests/jpeg_fixtures.h"
#include "desktop/wallpaper_registry.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/test_files.h"

namespace {

using namespace ovelix;
using namespace ovelix::e2e;
using ovelix::bench::Median;
using Clock = std::chrono::steady_clock;

constexpr int Runs = 5;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The program's main window, once it is visible.
HWND ShownMainWindow(RunningProgram& program) {
  for (;;) {
    for (HWND window : program.TopLevelWindows(L"TForm1"))
      if (IsWindowVisible(window)) return window;
    Sleep(1);
  }
}

// Waits until the registry names this wallpaper: the program writes it when it applies one.
void WaitForWallpaper(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(DesktopKeyPath).c_str(), 0, KEY_READ | KEY_NOTIFY, &key) != 0) {
    throw std::runtime_error("cannot open the desktop key");
  }
  const HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const std::wstring value = ToWide(WallpaperValue);
  for (;;) {
    RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) == 0 &&
        path == data) {
      break;
    }
    WaitForSingleObject(changed, 100);
  }
  CloseHandle(changed);
  RegCloseKey(key);
}

// One start: the time from the main window shown to mix1.bmp applied.
double StartUp(const ProgramCopy& copy) {
  RunningProgram program(copy.Executable());
  ShownMainWindow(program);
  const Clock::time_point shown = Clock::now();
  WaitForWallpaper(copy.File(L"mix1.bmp"));
  const double ms = Milliseconds(Clock::now() - shown);
  if (!program.WaitForStartUp()) throw std::runtime_error("the program did not finish starting");
  program.Post(WM_CLOSE);
  if (program.WaitForExit() != 0u) throw std::runtime_error("the program did not close");
  return ms;
}

std::vector<char> ReadWhole(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read the wallpaper");
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

// Writes the bytes beside the file and puts them in its place in one step, as the program
// does.
void Replace(const std::wstring& path, const std::vector<char>& bytes) {
  const std::wstring temporary = path + L".tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write");
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) throw std::runtime_error("cannot replace");
}

// A binary value of the user's, flushed to the disk, as the program keeps its record of what
// it found.
constexpr const wchar_t* FloorKey = L"Software\\Ovelix-startup-floor";

void WriteFlushedValue(const std::vector<char>& bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, FloorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0) {
    throw std::runtime_error("cannot make the floor's key");
  }
  RegSetValueExW(key, L"Restore", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegFlushKey(key);
  RegCloseKey(key);
}

// The floor: the wallpaper read, the record of what the start found written, and the three
// pictures of the sizes the program writes replaced, here in a folder of their own.
double IoFloor(const std::wstring& wallpaper, const std::wstring& folder, int width, int height) {
  const std::vector<char> record(100, 1);
  const std::vector<char> mixed(54 + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 1);
  const std::vector<char> solid(54 + 276 * 78, 1);
  const Clock::time_point start = Clock::now();
  ReadWhole(wallpaper);
  WriteFlushedValue(record);
  Replace(folder + L"mix1.bmp", mixed);
  Replace(folder + L"mix2.bmp", mixed);
  Replace(folder + L"Pict1.bmp", solid);
  return Milliseconds(Clock::now() - start);
}

// What a camera makes of a landscape: soft gradients, texture and grain, at quality 90.
std::vector<std::uint8_t> PhotoJpeg(int width, int height) {
  std::uint32_t grain = 1;
  const auto channel = [](double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); };
  return testing_support::EncodeJpeg(width, height, JCS_RGB, 90, false, [&](int y, std::uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      grain = grain * 1664525u + 1013904223u;
      const double noise = static_cast<double>(grain >> 24) / 16.0 - 8.0;
      const double sky = std::sin(x / 350.0 + y / 500.0);
      const double texture = std::sin(x / 37.0) * std::cos(y / 53.0);
      row[3 * x] = channel(128 + 80 * sky + 30 * texture + noise);
      row[3 * x + 1] = channel(110 + 60 * std::cos(y / 700.0) + 25 * texture + noise);
      row[3 * x + 2] = channel(100 + 70 * std::sin(x / 900.0) - 20 * texture + noise);
    }
  });
}

// One start with this wallpaper found.
double StartUpWith(const ProgramCopy& copy, const std::wstring& wallpaper) {
  WallpaperValues{FromWide(wallpaper), u"0", u"0"}.Write();
  return StartUp(copy);
}

}  // namespace

int main() {
  try {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::wstring wallpaper = WallpaperFolder() + L"startup.bmp";
    WriteBmp24(wallpaper, width, height, [](int x, int y) {
      return MakeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x ^ y));
    });
    // Named as a JPEG, its preview is the JPEG loaded by its extension and the composition
    // keeps only the rows its bands still need; without an extension (as Windows 8 and later
    // keep it) the whole picture is kept, for the preview.
    const std::wstring photo = WallpaperFolder() + L"startup-photo.jpg";
    const std::wstring photoWithoutExtension = WallpaperFolder() + L"startup-photo";
    const std::vector<std::uint8_t> photoBytes = PhotoJpeg(6000, 4000);
    WriteFileBytes(photo, photoBytes);
    WriteFileBytes(photoWithoutExtension, photoBytes);
    ProgramCopy copy(L"startup-bench");
    ProgramCopy floorFolder(L"startup-floor");

    // Once untimed, so that every timed run replaces files that exist, as runs after the
    // first one do.
    StartUpWith(copy, wallpaper);
    IoFloor(wallpaper, floorFolder.Folder(), width, height);
    std::vector<double> starts;
    std::vector<double> photoStarts;
    std::vector<double> photoWithoutExtensionStarts;
    std::vector<double> floors;
    std::vector<double> touches;
    for (int i = 0; i < Runs; ++i) {
      starts.push_back(StartUpWith(copy, wallpaper));
      photoStarts.push_back(StartUpWith(copy, photo));
      photoWithoutExtensionStarts.push_back(StartUpWith(copy, photoWithoutExtension));
      floors.push_back(IoFloor(wallpaper, floorFolder.Folder(), width, height));
      const Clock::time_point touch = Clock::now();
      bench::TouchComposeStores(width, height, width, height);
      touches.push_back(Milliseconds(Clock::now() - touch));
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, FloorKey);
    const double start = Median(starts);
    const double floor = Median(floors);
    const double firstTouch = Median(touches);
    std::printf("  %dx%d: start-up %7.1f ms / I/O floor %7.1f ms = %.2f (median of %d, target <= 1.5);"
                " / (I/O floor + first touch of the composition's stores, %.1f ms) = %.2f\n",
                width, height, start, floor, start / floor, Runs, firstTouch, start / (floor + firstTouch));
    const double photoStart = Median(photoStarts);
    const double photoWithoutExtensionStart = Median(photoWithoutExtensionStarts);
    std::printf("  %dx%d: start-up with a 6000x4000 JPEG of %.1f MB %7.1f ms / with the BMP %7.1f ms = %.2f"
                " (median of %d, target <= 1.5 at 1920x1080); the same JPEG without extension %7.1f ms = %.2f\n",
                width, height, static_cast<double>(photoBytes.size()) / 1e6, photoStart, start, photoStart / start, Runs,
                photoWithoutExtensionStart, photoWithoutExtensionStart / start);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "startup_timing: %s\n", e.what());
    return 1;
  }
}
