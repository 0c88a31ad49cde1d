#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "core/key_color.h"

namespace ovelix::ui {

// A check box whose click action runs whenever its checked state changes, by the user or
// by the program, and only then. Its parent forwards its notifications and colour
// requests (OnCommand, OnColor).
class CheckBox {
 public:
  void Create(HWND parent, const RECT& bounds, std::u16string_view caption, HFONT font, int id);
  HWND Handle() const { return handle_; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  Color FontColor() const { return fontColor_; }
  void SetFontColor(Color color);

  // The parent's WM_COMMAND for this box: a click flips it.
  void OnCommand(WORD notification);
  // The parent's WM_CTLCOLORSTATIC for this box.
  HBRUSH OnColor(HDC dc) const;

 private:
  HWND handle_ = nullptr;
  bool checked_ = false;
  Color fontColor_ = 0;
  std::function<void()> onClick_;
};

}  // namespace ovelix::ui
