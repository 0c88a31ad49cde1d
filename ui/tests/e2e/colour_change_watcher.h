#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <thread>

namespace ovelix::e2e {

// A hidden top-level window, on a thread of its own, that takes the system's colour-change
// broadcast. SetSysColors sends WM_SYSCOLORCHANGE to every top-level window and waits for
// each, so `onChange` runs while the program that changed a colour waits for it: whatever it
// does (reading the program's state, releasing keys) happens before that program goes on.
class ColourChangeWatcher {
 public:
  explicit ColourChangeWatcher(std::function<void()> onChange);
  ~ColourChangeWatcher();
  ColourChangeWatcher(const ColourChangeWatcher&) = delete;
  ColourChangeWatcher& operator=(const ColourChangeWatcher&) = delete;

 private:
  // Shared with the thread, which may outlive a watcher whose window did not come in time.
  struct State;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void Run(const std::shared_ptr<State>& state);

  std::shared_ptr<State> state_;
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace ovelix::e2e
