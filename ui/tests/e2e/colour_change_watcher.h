#pragma once

#include <windows.h>

#include <functional>
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
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(HANDLE ready);

  std::function<void()> onChange_;
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace ovelix::e2e
