#pragma once

#include <functional>
#include <string_view>

#include "ui/controls/graphic_control.h"
#include "ui/window.h"

namespace ovelix::ui {

enum class PanelBevel {
  Raised,  // a raised outer edge
  Etched,  // a lowered outer and a raised inner edge
};

// A panel: a window with a bevelled edge on the button-face colour that carries graphic
// controls. A click on the panel itself (not on one of its controls) runs its click action
// (SetOnClick).
class Panel : public Window<Panel>, public ControlHost {
 public:
  ~Panel() { DestroyHandle(); }

  // `name` becomes the window text, which the panel never paints: it is what accessibility
  // tools announce, so it is the text the user sees on the panel or says what it shows.
  void Create(HWND parent, const RECT& bounds, std::u16string_view name, PanelBevel bevel, HCURSOR cursor);
  void MoveTo(int left, int top);
  void SetVisible(bool visible);

  // Makes the panel one button of a radio group. Tools see a radio button; it takes the
  // keyboard focus and shows it; the arrow keys step the group's choice (`onStep` gets -1
  // for Up and Left, +1 for Down and Right); Space and Enter click it.
  void MakeRadio(std::function<void(int step)> onStep);
  // The checked panel of a group is its one tab stop, as with the system's radio buttons.
  void SetChecked(bool checked);

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint();
  bool OnKey(WPARAM key, LPARAM flags);
  bool ShowsFocus();

  PanelBevel bevel_ = PanelBevel::Raised;
  HCURSOR cursor_ = nullptr;
  bool pressed_ = false;
  std::function<void(int)> onStep_;  // set for a radio button
};

}  // namespace ovelix::ui
