#pragma once

#include <windows.h>

namespace ovelix::ui {

// One copy of the program per session: a second copy would take the first one's picture for
// the user's wallpaper. A named mutex in the session's namespace ("Local\", there from
// Windows XP on) marks the copy that runs, whichever folder either was started from.
class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy runs in this session.
  bool First() const { return first_; }

  // Brings the running copy's window to the front, once it has one (a copy that has just
  // started may not have made it yet).
  static void BringRunningCopyForward();

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

}  // namespace ovelix::ui
