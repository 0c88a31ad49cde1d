#pragma once

#include <windows.h>

#include <string_view>

namespace ovelix::ui {

// The tooltips of one top-level window: each hint belongs to a rectangle of a host window.
class Hints {
 public:
  void Create(HWND owner);
  ~Hints();
  void Add(HWND host, const RECT& area, std::u16string_view text);

 private:
  HWND tooltip_ = nullptr;
  UINT nextId_ = 1;
};

}  // namespace ovelix::ui
