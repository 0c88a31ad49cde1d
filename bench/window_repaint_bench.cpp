// The main window's full repaint with a 3840 x 2160 wallpaper as the preview on show, against
// one plain BitBlt of its client area onto the window, in the same run. The window goes
// through the program's own start-up steps with that wallpaper found in the registry. Then
// the preview box alone: its kept scaled picture against stretching the full picture with
// HALFTONE, as every repaint did before.
#include "bench/window_repaint_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "bench/compose_workload.h"
#include "core/bmp_file.h"
#include "core/platform/wide.h"
#include "core/preview_fit.h"
#include "core/program_folder.h"
#include "desktop/gdi_handles.h"
#include "desktop/registry_key.h"
#include "desktop/tests/message_pump.h"
#include "desktop/wallpaper_registry.h"
#include "desktop/wallpaper_settings.h"
#include "ui/Unit1.h"
#include "ui/WMR.h"
#include "ui/form1_layout.h"
#include "ui/picture_drawing.h"

namespace ovelix::bench {

namespace {

constexpr int Runs = 51;
constexpr int WallpaperWidth = 3840;
constexpr int WallpaperHeight = 2160;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Wine hands a window's drawing to the display when the thread looks for messages; reading a
// pixel of the screen back then waits until the display has it.
void WaitUntilShown(HWND window) {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  POINT centre{0, 0};
  ClientToScreen(window, &centre);
  const ScreenDc screen(GetDC(nullptr));
  GetPixel(screen.Get(), centre.x + 1, centre.y + 1);
}


struct Timing {
  double median;
  double fastest;
};

// Each run ends once its drawing has reached the display (`wait`).
template <typename Work, typename Wait>
Timing TimeRuns(Work&& work, Wait&& wait) {
  std::vector<double> times;
  for (int i = 0; i < Runs; ++i) {
    wait();
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    work();
    wait();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  const double fastest = *std::min_element(times.begin(), times.end());
  return {Median(std::move(times)), fastest};
}

template <typename Work>
Timing TimeOnWindow(HWND window, Work&& work) {
  return TimeRuns(work, [window] { WaitUntilShown(window); });
}

// Fine detail everywhere, as in a photo.
Picture LargeWallpaper() {
  Picture picture(WallpaperWidth, WallpaperHeight, PixelFormat::Bits32);
  std::uint32_t state = 1;
  for (int y = 0; y < WallpaperHeight; ++y)
    for (int x = 0; x < WallpaperWidth; ++x) {
      state = state * 1103515245u + 12345u;
      picture.SetRaw(x, y,
                     (static_cast<std::uint32_t>(x * 255 / WallpaperWidth) << 16) |
                         (static_cast<std::uint32_t>(y * 255 / WallpaperHeight) << 8) | ((state >> 16) & 0xFF));
    }
  return picture;
}

// The wallpaper settings as start-up finds them, all three values strings.
struct WallpaperFound {
  std::u16string path;
  std::u16string tile;
  std::u16string style;

  static WallpaperFound Read() {
    const RegistryKey key = OpenKeyForReading(HKEY_CURRENT_USER, DesktopKeyPath);
    return {ReadStringValue(key, WallpaperValue), ReadStringValue(key, TileWallpaperValue),
            ReadStringValue(key, WallpaperStyleValue)};
  }
  void Write() const {
    const RegistryKey key = CreateKeyForWriting(HKEY_CURRENT_USER, DesktopKeyPath);
    WriteStringValue(key, WallpaperValue, path);
    WriteStringValue(key, TileWallpaperValue, tile);
    WriteStringValue(key, WallpaperStyleValue, style);
    ApplyWallpaper(path);
  }
};

void RepaintAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// One copy of the whole client area onto the window: what any repaint must at least do.
Timing Floor(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const ScreenDc windowDc(GetDC(window));
  const MemoryDc memory(CreateCompatibleDC(windowDc.Get()));
  const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDc.Get(), client.right, client.bottom));
  SelectGuard select(memory.Get(), bitmap.Get());
  BitBlt(memory.Get(), 0, 0, client.right, client.bottom, windowDc.Get(), 0, 0, SRCCOPY);
  return TimeOnWindow(window,
                      [&] { BitBlt(windowDc.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY); });
}

std::vector<HWND> VisibleChildWindows(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// Where a full repaint's time goes: each window repainted on its own.
void MeasureWindowByWindow(HWND window) {
  const Timing alone = TimeOnWindow(
      window, [&] { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN); });
  double least = 0;
  double most = 0;
  double preview = 0;
  const std::vector<HWND> children = VisibleChildWindows(window);
  for (const HWND child : children) {
    const double median = TimeOnWindow(child, [&] { RepaintAll(child); }).median;
    least = least == 0 ? median : std::min(least, median);
    most = std::max(most, median);
    wchar_t name[64] = L"";
    GetWindowTextW(child, name, 64);
    if (std::wstring_view(name) == ToWide(ui::form1::PanelPrevName)) preview = median;
  }
  std::printf(
      "  one window at a time: the main window alone %.3f ms; each of its %d child windows %.3f to %.3f ms, "
      "the preview panel %.3f ms\n",
      alone.median, static_cast<int>(children.size()), least, most, preview);
}

void Measure(ui::TForm1& form) {
  const HWND window = form.Handle();
  form.Timer_InitTimer();  // the start-up steps: the previews come from the composer
  RECT client;
  GetClientRect(window, &client);
  const struct {
    void (ui::TForm1::*select)();
    const char* what;
  } modes[] = {
      {&ui::TForm1::Label_noClick, "mode no, the 3840x2160 wallpaper on show"},
      {&ui::TForm1::Label_xClick, "mode x, its screen-size mixed picture on show"},
  };
  for (const auto& mode : modes) {
    (form.*mode.select)();
    testing_support::PumpMessages();
    RepaintAll(window);  // the first paint of a preview scales it
    const Timing floor = Floor(window);
    const Timing repaint = TimeOnWindow(window, [&] { RepaintAll(window); });
    std::printf(
        "main window full repaint (%dx%d client), %s: %.3f ms (median of %d, fastest %.3f); "
        "floor, one BitBlt of the client area: %.3f ms (fastest %.3f); ratio %.1f\n",
        static_cast<int>(client.right), static_cast<int>(client.bottom), mode.what, repaint.median, Runs,
        repaint.fastest, floor.median, floor.fastest, repaint.median / floor.median);
    MeasureWindowByWindow(window);
  }
}

// The preview box of the main window painted into a back buffer as its panel does.
void MeasurePreviewPaint(const Picture& wallpaper) {
  const ScreenDc screen(GetDC(nullptr));
  const MemoryDc buffer(CreateCompatibleDC(screen.Get()));
  const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), 210, 160));
  SelectGuard select(buffer.Get(), bitmap.Get());
  ui::ControlHost host;
  ui::ImageBox box;
  const RECT bounds{2, 2, 208, 158};
  box.Create(host, bounds, ui::ImageFit::Proportional);
  box.SetPicture(wallpaper);
  box.Paint(buffer.Get());  // the first paint scales it
  const auto flush = [] { GdiFlush(); };
  const Timing kept = TimeRuns([&] { box.Paint(buffer.Get()); }, flush);
  const PreviewPlace place = PreviewFit(wallpaper.Width(), wallpaper.Height());
  const RECT target{bounds.left + place.left, bounds.top + place.top, bounds.left + place.left + place.width,
                    bounds.top + place.top + place.height};
  const Timing stretched = TimeRuns([&] { ui::DrawPicture(buffer.Get(), wallpaper, target, HALFTONE); }, flush);
  std::printf(
      "preview box repaint, %dx%d picture: %.3f ms (median of %d), the kept scaled picture copied; "
      "stretching the picture with HALFTONE on every repaint, as before: %.3f ms; ratio %.1f\n",
      wallpaper.Width(), wallpaper.Height(), kept.median, Runs, stretched.median, stretched.median / kept.median);
}

}  // namespace

bool BenchWindowRepaint() {
  const WallpaperFound found = WallpaperFound::Read();
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::u16string wallpaper = FromWide(folder) + u"ovelix-bench-wallpaper.bmp";
  bool done = false;
  try {
    const Picture picture = LargeWallpaper();
    WriteBmpFile(wallpaper, picture);
    WallpaperFound{wallpaper, u"0", u"0"}.Write();
    {
      ui::TWMRForm donationDialog;
      ui::TForm1 form(donationDialog);
      form.Create();
      ShowWindow(form.Handle(), SW_SHOWNORMAL);
      Measure(form);
    }
    MeasurePreviewPaint(picture);
    done = true;
  } catch (const std::exception& error) {
    std::printf("main window repaint: failed: %s\n", error.what());
  }
  try {
    found.Write();
  } catch (const std::exception& error) {
    std::printf("main window repaint: the wallpaper settings could not be put back: %s\n", error.what());
  }
  for (const char16_t* file : {u"mix1.bmp", u"mix2.bmp", u"Pict1.bmp"})
    DeleteFileW(ToWide(ProgramFolder() + file).c_str());
  DeleteFileW(ToWide(wallpaper).c_str());
  return done;
}

}  // namespace ovelix::bench
