#pragma once

#include <windows.h>

#include "ui/controls/bevel.h"
#include "ui/controls/described_window.h"
#include "ui/controls/graphic_control.h"
#include "ui/controls/hints.h"
#include "ui/controls/image_box.h"
#include "ui/dpi.h"
#include "ui/gdi.h"
#include "ui/window.h"

namespace ovelix::ui {

// The donation dialog: made hidden at start, shown from the menu, hidden again on close.
class TWMRForm : public Window<TWMRForm>, public ControlHost {
 public:
  TWMRForm();
  ~TWMRForm() { DestroyHandle(); }

  void Create();
  // Shows the dialog without making it modal, centred on the desktop when it was hidden;
  // when it is already shown, only brings it forward.
  void Show();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void Image1Click();
  void Image2Click();

 private:
  void Paint();

  Scale scale_;
  GdiObject<HFONT> font_;
  GdiObject<HBRUSH> white_;
  Bevel Bevel1;
  ImageBox Image1, Image2, Image3;
  HWND Edit1 = nullptr;
  DescribedWindow edit1Host_;  // tools hear Edit1's hint
  Hints hints_;
};

}  // namespace ovelix::ui
