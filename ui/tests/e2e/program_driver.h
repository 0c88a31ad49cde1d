#pragma once

// Drives the real program from a separate test process: its own program folder in the
// Wine prefix, the wallpaper settings it finds at start, its windows, mouse and keys.
//
// Every wait here waits for a state of the program (a window shown or painted, a box
// checked, a colour changed), with a limit; none sleeps for a fixed time and hopes.

#include <windows.h>

#include <gtest/gtest.h>

#include "desktop/tests/screen_capture.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
  // Whether the record of what a start found protects this copy's pictures.
  bool HasRestoreRecord() const;
  // The names of the files in the folder, sorted.
  std::vector<std::wstring> Files() const;

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

// Whether the colour boxes "Использовать белый цвет", "чёрный цвет" and "цвет фона" are checked.
using BoxStates = std::array<bool, 3>;

// One toggle of a colour box, as the test saw it happen.
struct ColourToggle {
  BoxStates boxes;  // right after the toggle
  std::chrono::steady_clock::time_point at;
};

class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& executable);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD ProcessId() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }

  // The main window, once it exists.
  HWND MainWindow();
  // Waits until the splash logo is gone, that is until start-up has finished, and the main
  // window is ready for input.
  bool WaitForStartUp(std::chrono::milliseconds limit = 20s);
  // Brings the window (by default the main one) to the foreground and waits until it is
  // there and nothing of it is left to paint.
  bool WaitUntilReady(HWND window = nullptr, std::chrono::milliseconds limit = 10s);
  // A child window of the main window by its name (its window text).
  HWND Child(std::u16string_view name);
  bool IsShown(std::u16string_view name) { return IsWindowVisible(Child(name)) != FALSE; }
  // The window of the program that has the keyboard focus, or nullptr.
  HWND Focus() { return InputState().hwndFocus; }
  BoxStates Boxes();

  // A top-level window of the program with this caption and window class (a dialog box by
  // default), once it shows.
  HWND WaitForWindow(const std::wstring& caption, const wchar_t* windowClass = L"#32770",
                     std::chrono::milliseconds limit = 10s);
  std::vector<HWND> TopLevelWindows(const wchar_t* windowClass = nullptr);

  // A rectangle of the main window's client area, given in design pixels, on the screen.
  RECT OnScreen(const RECT& design);

  // Real input. A left click at a point of the main window's client area given in design
  // (96-DPI) pixels, at the centre of a design rectangle, or at a client point of a window.
  // The click is queued; the caller waits for what it does.
  void ClickAt(POINT designPoint);
  void ClickAt(const RECT& design);
  void ClickAt(HWND window, POINT clientPoint);

  // Keys struck one after another, each pressed and released, as a user types them.
  void PressKeys(std::initializer_list<WORD> keys);
  // Hot keys. The program polls the keys on a timer, so they stay down until it has served
  // them, and come up before it would serve them again:
  // - toggles of the colour boxes: released while the program waits on the last of `toggles`
  //   colour changes, that is before its pause after the toggle ends. Answers the toggles
  //   seen, fewer than asked when the limit passed first.
  std::vector<ColourToggle> PressToggleKeys(std::initializer_list<WORD> keys, std::size_t toggles,
                                            std::chrono::milliseconds limit = 10s);
  // - any other action: released once `served` holds; answers whether it did within the limit.
  bool PressKeysUntil(std::initializer_list<WORD> keys, const std::function<bool()>& served,
                      std::chrono::milliseconds limit = 10s);
  // - keys that must do nothing: held for this many ticks of the program's key timer.
  void HoldKeysFor(std::initializer_list<WORD> keys, int ticks);

  // Chooses a menu item with the keyboard: Alt, then the keys that lead to it.
  void ChooseFromMenu(std::initializer_list<WORD> keys);

  // Sends a message to the main window and waits until it has been handled.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // The screen once the program's windows are shown as they are. Wine's virtual desktop
  // paints a new wallpaper over the windows in front of it, a moment after it was set and
  // without telling them (Windows repaints them): this waits for that and has the program's
  // windows repaint.
  ScreenPixels RepaintedScreen();

  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = 10s);

 private:
  bool InForeground(std::chrono::milliseconds limit = 10s);
  // The program's user-interface thread's active and focus windows and menu state.
  GUITHREADINFO InputState();
  bool Painted();

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// COLOR_WINDOW, COLOR_WINDOWTEXT and COLOR_BTNFACE as a process started now sees them.
std::array<COLORREF, 3> SystemColorsNow();
// Which of the three are key colour now.
BoxStates ReplacedColours();

// The main windows of every running copy of the program.
std::vector<HWND> MainWindowsOfAnyCopy();

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
// Moves it to the bottom left corner, away from every control and its hint.
void MoveMouseAway();

// The design scale of this system (DPI / 96), the same one the program uses.
int ScaleToSystem(int designPixels);

inline POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace ovelix::e2e
