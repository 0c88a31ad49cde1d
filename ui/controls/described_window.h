#pragma once

#include <windows.h>

#include "ui/controls/graphic_control.h"

namespace ovelix::ui {

// A window of a system class (an edit field) that answers accessibility tools through the
// program's object, so that its hint reaches them as its description: the object adds it to
// what the system says of the window. The window is subclassed while this object lives.
class DescribedWindow : public ControlHost {
 public:
  DescribedWindow() = default;
  ~DescribedWindow();

  void Attach(HWND window);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ovelix::ui
