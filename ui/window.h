#pragma once

#include <windows.h>

namespace ovelix::ui {

// Shows the exception that is being handled in the application's error box. Every event
// handler runs behind this boundary: an exception must never unwind through the system's
// frames, and the event loop goes on afterwards.
void ReportHandlerException() noexcept;

// The window-object pattern: `this` is stored with the handle at WM_NCCREATE and cleared
// at WM_NCDESTROY; every message goes to Derived::OnMessage behind the error boundary.
template <class Derived>
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }

 protected:
  // A derived class calls DestroyHandle first thing in its destructor: destroying a window
  // sends it messages, which must find the object whole. Should a window still be there
  // when only this base is left, it is cut off from the object before it goes.
  ~Window() {
    if (handle_ == nullptr) return;
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }

  void DestroyHandle() {
    if (handle_ != nullptr) DestroyWindow(handle_);
  }

  // Registers the window class once per process; the class procedure is ours.
  static const wchar_t* RegisterWindowClass(const wchar_t* name, UINT style = CS_DBLCLKS,
                                            HBRUSH background = nullptr, HICON icon = nullptr) {
    static ATOM atom = 0;
    if (atom == 0) {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.style = style;
      windowClass.lpfnWndProc = &Window::Procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      windowClass.hbrBackground = background;
      windowClass.hIcon = icon;
      windowClass.lpszClassName = name;
      atom = RegisterClassExW(&windowClass);
      if (atom == 0) ThrowLastError();
    }
    return name;
  }

  HWND CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    RECT bounds, HWND parent, HMENU menu = nullptr) {
    CreateWindowExW(exStyle, className, title, style, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, parent, menu, GetModuleHandleW(nullptr), this);
    if (handle_ == nullptr) ThrowLastError();
    return handle_;
  }

  LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
  }

 private:
  [[noreturn]] static void ThrowLastError();

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<Window*>(
          reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
      self->handle_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
      result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
      ReportHandlerException();
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->handle_ = nullptr;
    }
    return result;
  }

  HWND handle_ = nullptr;
};

[[noreturn]] void ThrowSystemError(DWORD code);

template <class Derived>
void Window<Derived>::ThrowLastError() {
  ThrowSystemError(GetLastError());
}

}  // namespace ovelix::ui
