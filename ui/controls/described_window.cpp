#include "ui/controls/described_window.h"

namespace ovelix::ui {

namespace {

// The window's own procedure is kept with the window, so that the window can outlive us.
constexpr wchar_t OriginalProcedure[] = L"Ovelix.OriginalProcedure";

}  // namespace

void DescribedWindow::Attach(HWND window) {
  AttachHost(window);
  SetPropW(window, OriginalProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DescribedWindow::Procedure));
}

DescribedWindow::~DescribedWindow() {
  if (HostHandle() != nullptr) SetWindowLongPtrW(HostHandle(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK DescribedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DescribedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, OriginalProcedure));
  if (self != nullptr && (message == WM_GETOBJECT || message == WM_NCDESTROY)) {
    LRESULT result = 0;
    if (self->HandleGraphicMessage(message, wParam, lParam, result)) return result;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(window, OriginalProcedure);
    if (self != nullptr) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->AttachHost(nullptr);
    }
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

}  // namespace ovelix::ui
