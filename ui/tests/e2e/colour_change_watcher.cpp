#include "ui/tests/e2e/colour_change_watcher.h"

#include <stdexcept>

namespace ovelix::e2e {

ColourChangeWatcher::ColourChangeWatcher(std::function<void()> onChange) : onChange_(std::move(onChange)) {
  const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready] { Run(ready); });
  WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
  if (window_ == nullptr) {
    thread_.join();
    throw std::runtime_error("cannot make the colour-change watcher's window");
  }
}

ColourChangeWatcher::~ColourChangeWatcher() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  thread_.join();
}

void ColourChangeWatcher::Run(HANDLE ready) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ColourChangeWatcher::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"OvelixTestColourChangeWatcher";
  RegisterClassW(&windowClass);  // fails harmlessly when a watcher made it before
  // Not a message-only window: those are left out of broadcasts.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            windowClass.hInstance, this);
  SetEvent(ready);
  if (window_ == nullptr) return;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

LRESULT CALLBACK ColourChangeWatcher::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<ColourChangeWatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_SYSCOLORCHANGE:
      if (self != nullptr) self->onChange_();
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace ovelix::e2e
