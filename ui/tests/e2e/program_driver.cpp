#include "ui/tests/e2e/program_driver.h"

#include <cstdio>
#include <stdexcept>

#include "core/platform/wide.h"
#include "desktop/tests/desktop_state.h"
#include "desktop/wallpaper_registry.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/screen_watch.h"

namespace ovelix::e2e {

namespace {

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

// A button event that carries its own position: Wine takes the position of a button event
// without one from the last input it handled, which need not be where SetCursorPos put the
// mouse yet.
void SendMouse(DWORD flags, POINT screenPoint) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screenPoint.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (screenPoint.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouse(POINT screenPoint) {
  // Wine takes the new position into its input a moment after SetCursorPos returns: a click
  // sent before that would land where the mouse was.
  SetCursorPos(screenPoint.x, screenPoint.y);
  Eventually(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == screenPoint.x && now.y == screenPoint.y;
      },
      2s);
  Sleep(30);
}

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
  char output[128] = {};
  DWORD total = 0;
  DWORD read = 0;
  while (total < sizeof output - 1 && ReadFile(readEnd, output + total, sizeof output - 1 - total, &read, nullptr) &&
         read > 0) {
    total += read;
  }
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(readEnd);
  unsigned long colors[3] = {};
  if (std::sscanf(output, "%lu %lu %lu", &colors[0], &colors[1], &colors[2]) != 3) {
    throw std::runtime_error("the colour probe said nothing");
  }
  return {colors[0], colors[1], colors[2]};
}

ProgramCopy::ProgramCopy(const std::wstring& name) : folder_(L"C:\\ovelix-e2e\\" + name + L"\\") {
  CreateDirectoryW(L"C:\\ovelix-e2e", nullptr);
  CreateDirectoryW(folder_.c_str(), nullptr);
  for (const wchar_t* file : {L"mix1.bmp", L"mix2.bmp", L"Pict1.bmp"}) DeleteFileW((folder_ + file).c_str());
  if (!CopyFileW(BuiltProgram().c_str(), Executable().c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the program into its test folder");
  }
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
  MoveMouse({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  if (MainWindow() == nullptr) return false;
  // The window is found as soon as it exists; its controls, the logo among them, come after.
  const std::wstring logo = ToWide(ui::form1::PanelLogoName);
  return Eventually([&] { return IsWindowVisible(main_) && Child(logo.c_str()) != nullptr && !IsShown(logo.c_str()); },
                    limit);
}

HWND RunningProgram::Child(const wchar_t* name) { return FindWindowExW(MainWindow(), nullptr, nullptr, name); }

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

void RunningProgram::ClickAt(HWND window, POINT clientPoint) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  ClientToScreen(window, &clientPoint);
  MoveMouse(clientPoint);
  SendMouse(MOUSEEVENTF_LEFTDOWN, clientPoint);
  Sleep(30);
  SendMouse(MOUSEEVENTF_LEFTUP, clientPoint);
  Settle();
  MoveMouse({0, GetSystemMetrics(SM_CYSCREEN) - 1});  // no hint coming up later
}

ScreenPixels RunningProgram::RepaintedScreen() {
  SteadyScreen();
  for (HWND window : TopLevelWindows()) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  Settle();
  return SteadyScreen();
}

void RunningProgram::Settle() {
  // Input is handled after sent messages: first let the program take what is queued.
  Sleep(30);
  WaitForInputIdle(process_.hProcess, 5000);
  for (int i = 0; i < 2; ++i) Send(WM_NULL);
}

void RunningProgram::PressKeys(std::initializer_list<WORD> keys, std::chrono::milliseconds hold,
                               const std::function<void()>& whileHeld) {
  for (WORD key : keys) SendKey(key, true);
  const auto release = std::chrono::steady_clock::now() + hold;
  do {
    if (whileHeld) whileHeld();
  } while (std::chrono::steady_clock::now() < release && whileHeld);
  if (!whileHeld) Sleep(static_cast<DWORD>(hold.count()));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) SendKey(*key, false);
  Settle();
}

LRESULT RunningProgram::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(MainWindow(), message, wParam, lParam, SMTO_NORMAL, 30000, &result);
  return static_cast<LRESULT>(result);
}

void RunningProgram::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageW(MainWindow(), message, wParam, lParam);
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
