#include "ui/controls/graphic_control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace ovelix::ui {

namespace {

// Posted by ClickLater with the control's index; the hosts' own messages stay clear of it.
constexpr UINT ClickGraphicMessage = WM_APP;

}  // namespace

void GraphicControl::SetBounds(const RECT& bounds) {
  if (EqualRect(&bounds, &bounds_)) return;
  Invalidate();
  bounds_ = bounds;
  Invalidate();
}

void GraphicControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Invalidate();
}

void GraphicControl::Invalidate() const {
  if (HWND window = HostWindow()) InvalidateRect(window, &bounds_, TRUE);
}

HWND GraphicControl::HostWindow() const { return host_ != nullptr ? host_->HostHandle() : nullptr; }

void ControlHost::AddGraphic(GraphicControl& control) {
  control.host_ = this;
  controls_.push_back(&control);
}

void ControlHost::PaintGraphics(HDC dc, const RECT& dirty) {
  for (GraphicControl* control : controls_) {
    RECT overlap;
    if (control->Visible() && IntersectRect(&overlap, &control->Bounds(), &dirty)) control->Paint(dc);
  }
}

GraphicControl* ControlHost::ControlAt(POINT point) const {
  // The last one painted is on top.
  const auto hit = std::find_if(controls_.rbegin(), controls_.rend(), [&](const GraphicControl* control) {
    return control->Visible() && PtInRect(&control->Bounds(), point);
  });
  return hit != controls_.rend() ? *hit : nullptr;
}

bool ControlHost::Shows(const GraphicControl& control) const {
  return control.Visible() && IsWindowVisible(hostWindow_) != FALSE;
}

bool ControlHost::TakesInput() const {
  return IsWindowEnabled(hostWindow_) != FALSE && IsWindowEnabled(GetAncestor(hostWindow_, GA_ROOT)) != FALSE;
}

bool ControlHost::CanClick(const GraphicControl& control) const {
  return control.Clickable() && Shows(control) && TakesInput();
}

std::size_t ControlHost::IndexOf(const GraphicControl& control) const {
  return static_cast<std::size_t>(std::find(controls_.begin(), controls_.end(), &control) - controls_.begin());
}

void ControlHost::ClickLater(const GraphicControl& control) const {
  PostMessageW(hostWindow_, ClickGraphicMessage, IndexOf(control), 0);
}

bool ControlHost::HandleGraphicMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = ControlAt(point);
      if (pressed_ == nullptr) return false;
      SetCapture(hostWindow_);
      pressed_->MouseDown(point);
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      if (pressed_ == nullptr) return false;
      pressed_->MouseMove(point);
      result = 0;
      return true;
    case WM_LBUTTONUP: {
      if (pressed_ == nullptr) return false;
      GraphicControl* control = std::exchange(pressed_, nullptr);
      ReleaseCapture();
      control->MouseUp(point, ControlAt(point) == control);
      result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ != nullptr && reinterpret_cast<HWND>(lParam) != hostWindow_) {
        GraphicControl* control = std::exchange(pressed_, nullptr);
        control->MouseUp(POINT{-1, -1}, false);
      }
      return false;
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != hostWindow_ || LOWORD(lParam) != HTCLIENT) return false;
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(hostWindow_, &cursor);
      const GraphicControl* control = ControlAt(cursor);
      if (control == nullptr || control->Cursor() == nullptr) return false;
      ::SetCursor(control->Cursor());
      result = TRUE;
      return true;
    }
    case ClickGraphicMessage:
      // Asked again: the control may have been hidden or the host disabled since.
      if (wParam < controls_.size() && CanClick(*controls_[wParam])) controls_[wParam]->Click();
      result = 0;
      return true;
    case WM_GETOBJECT: return accessibility_.OnGetObject(wParam, lParam, result);
    case WM_NCDESTROY: accessibility_.Disconnect(); return false;
    default: return false;
  }
}

}  // namespace ovelix::ui
