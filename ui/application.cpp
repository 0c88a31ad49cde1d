#include "ui/application.h"

#include <algorithm>

#include "core/error.h"
#include "core/platform/system_error.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "ui/message_dialogs.h"
#include "ui/resource_ids.h"
#include "ui/window.h"

namespace ovelix::ui {

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::SetTitle(std::u16string title) {
  title_ = std::move(title);
  SetWindowTextW(Handle(), ToWide(title_).c_str());
}

HWND Application::Handle() {
  if (handle_ != nullptr) return handle_;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Application::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_PROGRAM));
  windowClass.lpszClassName = WindowClass;
  if (RegisterClassExW(&windowClass) == 0) ThrowSystemError(GetLastError());
  // A visible window of no size: it owns the main window and so carries the task-bar
  // button and the Alt+Tab entry, under the application title.
  handle_ = CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, ToWide(title_).c_str(),
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, GetSystemMetrics(SM_CXSCREEN) / 2,
                            GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (handle_ == nullptr) ThrowSystemError(GetLastError());
  return handle_;
}

LRESULT CALLBACK Application::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Application& self = Instance();
  switch (message) {
    case WM_ACTIVATE:
      // Activating the task-bar button hands the activation on to the program's window.
      if (LOWORD(wParam) != WA_INACTIVE && self.mainWindow_ != nullptr) {
        HWND popup = GetLastActivePopup(window);
        SetActiveWindow(popup != window ? popup : self.mainWindow_);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The task-bar button's close entry closes the main window, as its close box does.
      if (self.mainWindow_ != nullptr) PostMessageW(self.mainWindow_, WM_CLOSE, 0, 0);
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Application::DialogOwner() const {
  HWND active = GetActiveWindow();
  return active != nullptr && active != handle_ ? active : mainWindow_;
}

void Application::AddDialogWindow(HWND window) {
  auto* free = std::find(std::begin(dialogWindows_), std::end(dialogWindows_), nullptr);
  if (free != std::end(dialogWindows_)) *free = window;
}

void Application::RemoveDialogWindow(HWND window) {
  std::replace(std::begin(dialogWindows_), std::end(dialogWindows_), window, HWND{nullptr});
}

void Application::ForgetWindows() {
  mainWindow_ = nullptr;
  std::fill(std::begin(dialogWindows_), std::end(dialogWindows_), HWND{nullptr});
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void Application::ShowException(const std::exception_ptr& error) noexcept {
  try {
    try {
      std::rethrow_exception(error);
    } catch (const Error& e) {
      ShowErrorBox(e.Message());
    } catch (const std::bad_alloc&) {
      ShowErrorBox(u"Out of memory");
    } catch (const std::exception& e) {
      ShowErrorBox(Utf8ToUtf16(e.what()));
    }
  } catch (...) {
    // Nothing more can be shown; the event loop goes on.
  }
}

int Application::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    const bool navigated = std::any_of(std::begin(dialogWindows_), std::end(dialogWindows_), [&](HWND dialog) {
      return dialog != nullptr && (message.hwnd == dialog || IsChild(dialog, message.hwnd)) &&
             IsDialogMessageW(dialog, &message);
    });
    if (navigated) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void ReportHandlerException() noexcept { Application::Instance().ShowException(std::current_exception()); }

void ThrowSystemError(DWORD code) {
  std::u16string text = SystemErrorText(code);
  throw Error(text.empty() ? u"Out of system resources" : std::move(text));
}

}  // namespace ovelix::ui
