#include "ui/controls/graphic_control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "ui/controls/click_message.h"

namespace ovelix::ui {

namespace {

// Wakes a host to run the click queued first. It carries nothing: what to click is kept in
// the host, where only the program's own accessibility objects put it, so the same message
// posted by another program (anyone may register the name) finds nothing to run. 0 when the
// system could not register it.
UINT ClickMessage() {
  static const UINT message = RegisterWindowMessageW(ClickMessageName);
  return message;
}

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

bool ControlHost::CanClickSelf() const {
  return static_cast<bool>(onClick_) && IsWindowVisible(hostWindow_) != FALSE && TakesInput();
}

void ControlHost::SetOwnChecked(bool checked) {
  if (checked == ownChecked_) return;
  ownChecked_ = checked;
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hostWindow_, OBJID_CLIENT, CHILDID_SELF);
}

bool ControlHost::QueueClick(GraphicControl* control) {
  const UINT message = ClickMessage();
  if (message == 0 || !PostMessageW(hostWindow_, message, 0, 0)) return false;
  queuedClicks_.push_back(control);
  return true;
}

void ControlHost::RunQueuedClick() {
  if (queuedClicks_.empty()) return;  // not asked for by this program
  GraphicControl* control = queuedClicks_.front();
  queuedClicks_.pop_front();
  // Asked again: the control may have been hidden or the host disabled since.
  if (control == nullptr) {
    if (CanClickSelf()) ClickSelf();
  } else if (CanClick(*control)) {
    control->Click();
  }
}

bool ControlHost::HandleGraphicMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == ClickMessage() && message != 0) {
    RunQueuedClick();
    result = 0;
    return true;
  }
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
    case WM_GETOBJECT: return accessibility_.OnGetObject(wParam, lParam, result);
    case WM_NCDESTROY:
      queuedClicks_.clear();
      accessibility_.Disconnect();
      return false;
    default: return false;
  }
}

}  // namespace ovelix::ui
