#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace ovelix::ui {

// The program as a whole: its title, the hidden window that carries the task-bar button
// and the Alt+Tab entry under that title, the one place that shows errors, and the event
// loop.
class Application {
 public:
  static Application& Instance();

  // The class of the window that carries the task-bar button: one per running copy.
  static constexpr const wchar_t* WindowClass = L"OvelixApplication";

  void SetTitle(std::u16string title);
  const std::u16string& Title() const { return title_; }

  // The window that owns the main window; it stays invisible but for its task-bar button.
  HWND Handle();

  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

  // The program's window that dialogs should belong to: the active one, else the main one.
  HWND DialogOwner() const;

  // Windows whose keyboard navigation (Tab between controls) the event loop handles.
  void AddDialogWindow(HWND window);
  void RemoveDialogWindow(HWND window);

  // Drops every window it knew, and the request to stop that the main window's end made:
  // for an error that ended start-up, whose box must stay up.
  void ForgetWindows();

  // Shows an error that left an event handler.
  void ShowException(const std::exception_ptr& error) noexcept;

  // Runs the event loop until the main window is gone; answers the exit code.
  int Run();

 private:
  Application() = default;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::u16string title_;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  HWND dialogWindows_[4] = {};
};

}  // namespace ovelix::ui
