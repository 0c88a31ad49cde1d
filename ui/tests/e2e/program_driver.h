#pragma once

// Drives the real program from a separate test process: its own program folder in the
// Wine prefix, the wallpaper settings it finds at start, its windows, mouse and keys.

#include <windows.h>

#include <gtest/gtest.h>

#include "desktop/screen_painter.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ovelix::e2e {

using namespace std::chrono_literals;

// The built program, as the test's build passed it in.
std::wstring BuiltProgram();

// A fresh folder C:\ovelix-e2e\<name>\ holding a copy of the program.
class ProgramCopy {
 public:
  explicit ProgramCopy(const std::wstring& name);
  const std::wstring& Folder() const { return folder_; }  // ends in a backslash
  std::wstring Executable() const { return folder_ + L"Ovelix.exe"; }
  std::wstring File(const std::wstring& name) const { return folder_ + name; }

 private:
  std::wstring folder_;
};

// The three wallpaper values of the desktop key, as the program finds or leaves them.
struct WallpaperValues {
  std::u16string wallpaper;
  std::u16string tile;
  std::u16string style;

  void Write() const;
  // Whether the registry holds exactly these three strings.
  ::testing::AssertionResult AreStored() const;
};

class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& executable);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD ProcessId() const { return process_.dwProcessId; }

  // The main window, once it exists.
  HWND MainWindow();
  // Waits until the splash logo is gone, that is until start-up has finished.
  bool WaitForStartUp(std::chrono::milliseconds limit = 20s);
  // A child window of the main window by its name (its window text).
  HWND Child(const wchar_t* name);
  bool IsShown(const wchar_t* name) { return IsWindowVisible(Child(name)) != FALSE; }

  // A top-level window of the program with this caption and window class (a dialog box by
  // default), once it shows.
  HWND WaitForWindow(const std::wstring& caption, const wchar_t* windowClass = L"#32770",
                     std::chrono::milliseconds limit = 10s);
  std::vector<HWND> TopLevelWindows(const wchar_t* windowClass = nullptr);

  // A rectangle of the main window's client area, given in design pixels, on the screen.
  RECT OnScreen(const RECT& design);

  // Real input: a left click at a point of the main window's client area given in design
  // (96-DPI) pixels, and keys pressed together and released after `hold`.
  void ClickAt(POINT designPoint);
  void ClickAt(HWND window, POINT clientPoint);
  // While the keys are held, `whileHeld` runs over and over.
  void PressKeys(std::initializer_list<WORD> keys, std::chrono::milliseconds hold = 40ms,
                 const std::function<void()>& whileHeld = {});

  // Sends a message to the main window and waits until it has been handled.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // The screen once the program's windows are shown as they are. Wine's virtual desktop
  // paints a new wallpaper over the windows in front of it, a moment after it was set and
  // without telling them (Windows repaints them): this waits for that and has the program's
  // windows repaint.
  ScreenPixels RepaintedScreen();

  // Waits until the program has handled the input and messages queued so far.
  void Settle();

  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = 10s);

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// COLOR_WINDOW, COLOR_WINDOWTEXT and COLOR_BTNFACE as a process started now sees them.
std::array<COLORREF, 3> SystemColorsNow();

// The text of a dialog box's static controls, joined by line feeds.
std::wstring DialogText(HWND dialog);
// Presses a dialog box's button by its identifier.
void PressDialogButton(HWND dialog, int id);

// Whether a condition becomes true within the limit, polling.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds limit = 10s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(20);
  }
}

// Moves the mouse through the input queue.
void MoveMouse(POINT screenPoint);

// The design scale of this system (DPI / 96), the same one the program uses.
int ScaleToSystem(int designPixels);

}  // namespace ovelix::e2e
