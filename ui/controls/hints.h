#pragma once

#include <windows.h>

#include <string>

#include "ui/controls/graphic_control.h"

namespace ovelix::ui {

// The tooltips of one top-level window. A control's hint is also its description for
// accessibility tools, so that what the mouse shows the keyboard user hears.
class Hints {
 public:
  void Create(HWND owner);
  ~Hints();
  // The hint of a graphic control, over its place on its host.
  void Add(ControlHost& host, GraphicControl& control, const std::u16string& text);
  // The hint of a host window as a whole.
  void Add(ControlHost& host, const std::u16string& text);

 private:
  void AddTool(HWND window, const RECT& area, const std::u16string& text);

  HWND tooltip_ = nullptr;
  UINT nextId_ = 1;
};

}  // namespace ovelix::ui
