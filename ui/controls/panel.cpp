#include "ui/controls/panel.h"

#include <windowsx.h>

#include "core/platform/wide.h"
#include "ui/gdi.h"

namespace ovelix::ui {

void Panel::Create(HWND parent, const RECT& bounds, std::u16string_view name, PanelBevel bevel, HCURSOR cursor) {
  bevel_ = bevel;
  cursor_ = cursor;
  const wchar_t* className = RegisterWindowClass(L"OvelixPanel");
  CreateHandle(0, className, ToWide(name).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, bounds, parent);
  AttachHost(Handle());
}

void Panel::MoveTo(int left, int top) {
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Panel::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }

void Panel::Paint() {
  PaintScope paint(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  BackBuffer buffer(paint.Dc(), paint.Dirty());
  FillRect(buffer.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
  if (bevel_ == PanelBevel::Etched) {
    DrawEdge(buffer.Dc(), &client, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  } else {
    DrawEdge(buffer.Dc(), &client, BDR_RAISEDOUTER, BF_RECT);
  }
  PaintGraphics(buffer.Dc(), paint.Dirty());
}

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleGraphicMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: return TRUE;  // Paint covers the whole client area
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(Handle(), &client);
      if (PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) && onClick_) onClick_();
      return 0;
    }
    case WM_CAPTURECHANGED: pressed_ = false; return 0;
    case WM_SETCURSOR:
      if (cursor_ != nullptr && reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    default: break;
  }
  return DefaultProcedure(message, wParam, lParam);
}

}  // namespace ovelix::ui
