#include "ui/tests/e2e/program_driver.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <stdexcept>
#include <string>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/recovery.h"
#include "desktop/tests/desktop_state.h"
#include "desktop/wallpaper_registry.h"
#include "ui/form1_layout.h"
#include "ui/hot_keys.h"
#include "ui/tests/e2e/colour_change_watcher.h"
#include "ui/tests/e2e/screen_watch.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {

namespace {

constexpr DWORD ProbeLimitSeconds = 10;

struct FindState {
  DWORD process;
  const wchar_t* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto* state = reinterpret_cast<FindState*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != state->process) return TRUE;
  if (state->windowClass != nullptr) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, state->windowClass) != 0) return TRUE;
  }
  state->found.push_back(window);
  return TRUE;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A mouse event that carries its own position: Wine takes the position of a button event
// without one from the last input it handled, which need not be where the mouse is now.
void SendMouse(DWORD flags, POINT screenPoint) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screenPoint.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (screenPoint.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void SendKeys(const std::vector<WORD>& keys, bool down) {
  std::vector<INPUT> inputs;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    // Pressed in the order given, released in the reverse order.
    input.ki.wVk = down ? keys[i] : keys[keys.size() - 1 - i];
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

}  // namespace

void MoveMouse(POINT screenPoint) {
  SendMouse(0, screenPoint);
  Eventually(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == screenPoint.x && now.y == screenPoint.y;
      },
      2s);
}

void MoveMouseAway() { MoveMouse({0, GetSystemMetrics(SM_CYSCREEN) - 1}); }

std::wstring BuiltProgram() { return OVELIX_PROGRAM_PATH; }

std::array<COLORREF, 3> SystemColorsNow() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("no pipe for the colour probe");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" OVELIX_COLORS_PROBE_PATH L"\"";
  const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    throw std::runtime_error("cannot start the colour probe");
  }
  // Its few bytes fit in the pipe: once it has ended, reading cannot block.
  const bool ended = WaitForSingleObject(process.hProcess, ProbeLimitSeconds * 1000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  char output[128] = {};
  DWORD total = 0;
  DWORD read = 0;
  while (ended && total < sizeof output - 1 &&
         ReadFile(readEnd, output + total, sizeof output - 1 - total, &read, nullptr) && read > 0) {
    total += read;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(readEnd);
  if (!ended) {
    throw std::runtime_error("the colour probe did not end within " + std::to_string(ProbeLimitSeconds) + " s");
  }
  unsigned long colors[3] = {};
  if (std::sscanf(output, "%lu %lu %lu", &colors[0], &colors[1], &colors[2]) != 3) {
    throw std::runtime_error("the colour probe said nothing");
  }
  return {colors[0], colors[1], colors[2]};
}

BoxStates ReplacedColours() {
  const auto colors = SystemColorsNow();
  return {colors[0] == KeyColor, colors[1] == KeyColor, colors[2] == KeyColor};
}

ProgramCopy::ProgramCopy(const std::wstring& name) : folder_(L"C:\\ovelix-e2e\\" + name + L"\\") {
  CreateDirectoryW(L"C:\\ovelix-e2e", nullptr);
  CreateDirectoryW(folder_.c_str(), nullptr);
  for (const std::wstring& file : Files()) DeleteFileW(File(file).c_str());
  if (!CopyFileW(BuiltProgram().c_str(), Executable().c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the program into its test folder");
  }
}

std::vector<std::wstring> ProgramCopy::Files() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(entry.cFileName);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool ProgramCopy::HasRestoreRecord() const {
  const std::optional<WallpaperFound> record = ReadRecord();
  return record && SameText(record->pictureFolder, FromWide(folder_));
}

void WallpaperValues::Write() const {
  testing_support::WriteRawValue(WallpaperValue, testing_support::StringValue(wallpaper));
  testing_support::WriteRawValue(TileWallpaperValue, testing_support::StringValue(tile));
  testing_support::WriteRawValue(WallpaperStyleValue, testing_support::StringValue(style));
}

::testing::AssertionResult WallpaperValues::AreStored() const {
  for (const auto& [name, text] : {std::pair{WallpaperValue, wallpaper}, std::pair{TileWallpaperValue, tile},
                                   std::pair{WallpaperStyleValue, style}}) {
    ::testing::AssertionResult stored = testing_support::HasString(name, text);
    if (!stored) return stored;
  }
  return ::testing::AssertionSuccess();
}

RunningProgram::RunningProgram(const std::wstring& executable) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + executable + L"\"";
  const std::wstring folder = executable.substr(0, executable.rfind(L'\\') + 1);
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process_)) {
    throw std::runtime_error("cannot start the program");
  }
}

RunningProgram::~RunningProgram() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::vector<HWND> MainWindowsOfAnyCopy() {
  std::vector<HWND> windows;
  for (HWND window = FindWindowExW(nullptr, nullptr, L"TForm1", nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, L"TForm1", nullptr)) {
    windows.push_back(window);
  }
  return windows;
}

std::vector<HWND> RunningProgram::TopLevelWindows(const wchar_t* windowClass) {
  FindState state{process_.dwProcessId, windowClass, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND RunningProgram::MainWindow() {
  if (main_ == nullptr) {
    Eventually([&] {
      const auto windows = TopLevelWindows(L"TForm1");
      main_ = windows.empty() ? nullptr : windows.front();
      return main_ != nullptr;
    });
  }
  return main_;
}

bool RunningProgram::WaitForStartUp(std::chrono::milliseconds limit) {
  // Out of the way: a mouse resting on a control would bring up its hint at some moment.
  MoveMouseAway();
  if (MainWindow() == nullptr) return false;
  // The window is found as soon as it exists; its controls, the logo among them, come after.
  const std::u16string_view logo = ui::form1::PanelLogoName;
  return Eventually([&] { return IsWindowVisible(main_) && Child(logo) != nullptr && !IsShown(logo); }, limit) &&
         WaitUntilReady();
}

bool RunningProgram::InForeground(std::chrono::milliseconds limit) {
  return Eventually(
      [&] {
        DWORD process = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &process);
        return process == process_.dwProcessId;
      },
      limit);
}

bool RunningProgram::Painted() {
  for (HWND window : TopLevelWindows()) {
    if (!IsWindowVisible(window)) continue;
    std::vector<HWND> windows{window};
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows) {
      if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) return false;
    }
  }
  return true;
}

GUITHREADINFO RunningProgram::InputState() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info;
}

bool RunningProgram::WaitUntilReady(HWND window, std::chrono::milliseconds limit) {
  if (window == nullptr) window = MainWindow();
  // Ready for keys once the program's thread itself has made the window active and given
  // the keyboard focus to it or a control: keys that arrive before have nowhere to go.
  const auto ready = [&] {
    const GUITHREADINFO input = InputState();
    return GetForegroundWindow() == window && input.hwndActive == window && input.hwndFocus != nullptr && Painted();
  };
  // A window the program has just shown comes forward by itself. Asking for it as well would
  // make the program deactivate and reactivate it, losing the keys pressed in between.
  if (Eventually(ready, 1s)) return true;
  SetForegroundWindow(window);
  return Eventually(ready, limit);
}

HWND RunningProgram::Child(std::u16string_view name) {
  return FindWindowExW(MainWindow(), nullptr, nullptr, ToWide(name).c_str());
}

BoxStates RunningProgram::Boxes() {
  BoxStates states{};
  const RECT boxes[] = {ui::form1::CheckUseWhite, ui::form1::CheckUseBlack, ui::form1::CheckUseBack};
  for (std::size_t i = 0; i < states.size(); ++i) {
    const POINT centre = CentreOf(boxes[i]);
    const HWND box = ChildWindowFromPointEx(MainWindow(), {ScaleToSystem(centre.x), ScaleToSystem(centre.y)},
                                            CWP_SKIPINVISIBLE);
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
    states[i] = state == BST_CHECKED;
  }
  return states;
}

HWND RunningProgram::WaitForWindow(const std::wstring& caption, const wchar_t* windowClass,
                                   std::chrono::milliseconds limit) {
  HWND found = nullptr;
  Eventually(
      [&] {
        for (HWND window : TopLevelWindows(windowClass)) {
          if (IsWindowVisible(window) && WindowText(window) == caption) found = window;
        }
        return found != nullptr;
      },
      limit);
  return found;
}

RECT RunningProgram::OnScreen(const RECT& design) {
  POINT corners[2] = {{ScaleToSystem(design.left), ScaleToSystem(design.top)},
                      {ScaleToSystem(design.right), ScaleToSystem(design.bottom)}};
  MapWindowPoints(MainWindow(), nullptr, corners, 2);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void RunningProgram::ClickAt(POINT designPoint) {
  ClickAt(MainWindow(), {ScaleToSystem(designPoint.x), ScaleToSystem(designPoint.y)});
}

void RunningProgram::ClickAt(const RECT& design) { ClickAt(CentreOf(design)); }

void RunningProgram::ClickAt(HWND window, POINT clientPoint) {
  const HWND root = GetAncestor(window, GA_ROOT);
  ClientToScreen(window, &clientPoint);
  // The window comes forward in its own thread's time, after the system has made it the
  // foreground one: the click waits until it is the window under the mouse.
  SetForegroundWindow(root);
  Eventually([&] { return GetAncestor(WindowFromPoint(clientPoint), GA_ROOT) == root; });
  SendMouse(0, clientPoint);
  SendMouse(MOUSEEVENTF_LEFTDOWN, clientPoint);
  SendMouse(MOUSEEVENTF_LEFTUP, clientPoint);
  SendMouse(0, {0, GetSystemMetrics(SM_CYSCREEN) - 1});  // away, so that no hint comes up later
}

void RunningProgram::PressKeys(std::initializer_list<WORD> keys) {
  InForeground();
  for (WORD key : keys) {
    SendKeys({key}, true);
    SendKeys({key}, false);
  }
}

std::vector<ColourToggle> RunningProgram::PressToggleKeys(std::initializer_list<WORD> keys, std::size_t toggles,
                                                          std::chrono::milliseconds limit) {
  const std::vector<WORD> held(keys);
  std::mutex lock;
  std::condition_variable changed;
  std::vector<ColourToggle> seen;
  bool released = false;
  const auto release = [&] {
    if (!released) SendKeys(held, false);
    released = true;
  };
  {
    // The program's thread waits while this runs: the states read are those of the toggle,
    // and keys released here are up before the pause that follows it has ended.
    ColourChangeWatcher watcher([&] {
      const BoxStates boxes = Boxes();
      const std::lock_guard<std::mutex> guard(lock);
      seen.push_back({boxes, std::chrono::steady_clock::now()});
      if (seen.size() >= toggles) release();
      changed.notify_all();
    });
    InForeground();
    SendKeys(held, true);
    std::unique_lock<std::mutex> guard(lock);
    changed.wait_for(guard, limit, [&] { return released; });
    release();
  }
  return seen;
}

bool RunningProgram::PressKeysUntil(std::initializer_list<WORD> keys, const std::function<bool()>& served,
                                    std::chrono::milliseconds limit) {
  const std::vector<WORD> held(keys);
  InForeground();
  SendKeys(held, true);
  const bool done = Eventually(served, limit);
  SendKeys(held, false);
  return done;
}

void RunningProgram::HoldKeysFor(std::initializer_list<WORD> keys, int ticks) {
  const std::vector<WORD> held(keys);
  InForeground();
  SendKeys(held, true);
  Sleep(static_cast<DWORD>(ticks) * ui::hot_keys::TickMs);
  SendKeys(held, false);
}

void RunningProgram::ChooseFromMenu(std::initializer_list<WORD> keys) {
  InForeground();
  PressKeys({VK_MENU});
  // The keys that follow go to the menu once it has the keyboard.
  Eventually([&] { return (InputState().flags & GUI_INMENUMODE) != 0; });
  for (WORD key : keys) PressKeys({key});
}

LRESULT RunningProgram::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(MainWindow(), message, wParam, lParam, SMTO_NORMAL, 30000, &result);
  return static_cast<LRESULT>(result);
}

void RunningProgram::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageW(MainWindow(), message, wParam, lParam);
}

ScreenPixels RunningProgram::RepaintedScreen() {
  SteadyScreen();
  for (HWND window : TopLevelWindows()) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  Eventually([&] { return Painted(); });
  return SteadyScreen();
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds limit) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring DialogText(HWND dialog) {
  std::wstring text;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0) continue;
    const std::wstring part = WindowText(child);
    if (part.empty()) continue;
    if (!text.empty()) text += L'\n';
    text += part;
  }
  return text;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ScaleToSystem(int designPixels) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(designPixels, dpi, 96);
}

}  // namespace ovelix::e2e
