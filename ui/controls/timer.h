#pragma once

#include <windows.h>

#include <functional>

namespace ovelix::ui {

// A message timer of a window; the window hands its WM_TIMER for this id to OnTimer.
class Timer {
 public:
  void Create(HWND owner, UINT_PTR id, UINT interval, std::function<void()> onTimer) {
    owner_ = owner;
    id_ = id;
    interval_ = interval;
    onTimer_ = std::move(onTimer);
    SetEnabled(true);
  }
  ~Timer() { SetEnabled(false); }

  UINT_PTR Id() const { return id_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) {
    if (enabled == enabled_ || owner_ == nullptr) return;
    enabled_ = enabled;
    if (enabled) {
      SetTimer(owner_, id_, interval_, nullptr);
    } else {
      KillTimer(owner_, id_);
    }
  }
  void OnTimer() {
    if (enabled_ && onTimer_) onTimer_();
  }

 private:
  HWND owner_ = nullptr;
  UINT_PTR id_ = 0;
  UINT interval_ = 0;
  bool enabled_ = false;
  std::function<void()> onTimer_;
};

}  // namespace ovelix::ui
