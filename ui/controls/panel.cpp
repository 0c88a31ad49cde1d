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

void Panel::MakeRadio(std::function<void(int step)> onStep) {
  onStep_ = std::move(onStep);
  SetOwnRole(ControlRole::RadioButton);
}

void Panel::SetChecked(bool checked) {
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  SetWindowLongPtrW(Handle(), GWL_STYLE, checked ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
  SetOwnChecked(checked);
}

bool Panel::ShowsFocus() {
  return GetFocus() == Handle() && (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

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
  if (ShowsFocus()) {
    // Just inside the edges.
    RECT focus = client;
    InflateRect(&focus, -(GetSystemMetrics(SM_CXEDGE) + 1), -(GetSystemMetrics(SM_CYEDGE) + 1));
    DrawFocusRect(buffer.Dc(), &focus);
  }
}

bool Panel::OnKey(WPARAM key, LPARAM flags) {
  const bool repeated = (flags & (LPARAM{1} << 30)) != 0;
  int step = 0;
  switch (key) {
    case VK_UP:
    case VK_LEFT: step = -1; break;
    case VK_DOWN:
    case VK_RIGHT: step = 1; break;
    case VK_SPACE:
    case VK_RETURN:
      // Once per press: a held key would apply the mode over and over.
      if (repeated) return true;
      break;
    default: return false;
  }
  // The keyboard is in use: focus cues show from now on, whatever the system hid.
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (step != 0) {
    onStep_(step);
  } else {
    ClickSelf();
  }
  return true;
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
      if (PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) ClickSelf();
      return 0;
    }
    case WM_CAPTURECHANGED: pressed_ = false; return 0;
    case WM_SETCURSOR:
      if (cursor_ != nullptr && reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_GETDLGCODE: {
      if (!onStep_) break;
      // The arrows move the choice within the group, not the dialog manager's focus; Enter
      // would otherwise go to the window as its OK command.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
      return DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (onStep_ && OnKey(wParam, lParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(Handle(), nullptr, FALSE); return 0;
    case WM_UPDATEUISTATE:
      result = DefaultProcedure(message, wParam, lParam);
      if (GetFocus() == Handle()) InvalidateRect(Handle(), nullptr, FALSE);
      return result;
    default: break;
  }
  return DefaultProcedure(message, wParam, lParam);
}

}  // namespace ovelix::ui
