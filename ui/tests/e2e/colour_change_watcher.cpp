#include "ui/tests/e2e/colour_change_watcher.h"

#include <chrono>
#include <future>
#include <stdexcept>

namespace ovelix::e2e {

struct ColourChangeWatcher::State {
  std::function<void()> onChange;
  std::promise<HWND> made;  // the window, or nullptr when it could not be made
};

ColourChangeWatcher::ColourChangeWatcher(std::function<void()> onChange)
    : state_(std::make_shared<State>(State{std::move(onChange), {}})) {
  std::future<HWND> made = state_->made.get_future();
  thread_ = std::thread([state = state_] { Run(state); });
  if (made.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    thread_.detach();
    throw std::runtime_error("the colour-change watcher's window was not made within 10 s");
  }
  window_ = made.get();
  if (window_ == nullptr) {
    thread_.join();
    throw std::runtime_error("cannot make the colour-change watcher's window");
  }
}

ColourChangeWatcher::~ColourChangeWatcher() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  thread_.join();
}

void ColourChangeWatcher::Run(const std::shared_ptr<State>& state) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ColourChangeWatcher::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"OvelixTestColourChangeWatcher";
  RegisterClassW(&windowClass);  // fails harmlessly when a watcher made it before
  // Not a message-only window: those are left out of broadcasts.
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, windowClass.hInstance, state.get());
  state->made.set_value(window);
  if (window == nullptr) return;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

LRESULT CALLBACK ColourChangeWatcher::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_SYSCOLORCHANGE:
      if (state != nullptr) state->onChange();
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace ovelix::e2e
