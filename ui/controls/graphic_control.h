#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace ovelix::ui {

class ControlHost;

// A control without a window of its own (label, image, speed button, bevel): its host
// window paints it and hands it the mouse, so it can never take the keyboard focus.
class GraphicControl {
 public:
  GraphicControl() = default;
  GraphicControl(const GraphicControl&) = delete;
  GraphicControl& operator=(const GraphicControl&) = delete;
  virtual ~GraphicControl() = default;

  const RECT& Bounds() const { return bounds_; }
  void SetBounds(const RECT& bounds);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
  HCURSOR Cursor() const { return cursor_; }
  void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  // Paints into the host's drawing context, whose origin is the host's client origin.
  virtual void Paint(HDC dc) = 0;

  virtual void MouseDown(POINT) {}
  virtual void MouseMove(POINT) {}
  // The button went up; `inside` tells whether over this control.
  virtual void MouseUp(POINT, bool inside) {
    if (inside) Click();
  }
  void Click() {
    if (onClick_) onClick_();
  }

  void Invalidate() const;

 protected:
  HWND HostWindow() const;

 private:
  friend class ControlHost;
  ControlHost* host_ = nullptr;
  RECT bounds_{};
  bool visible_ = true;
  HCURSOR cursor_ = nullptr;
  std::function<void()> onClick_;
};

// The windowed side: a window that carries graphic controls, in painting order.
class ControlHost {
 public:
  explicit ControlHost() = default;
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  void AddGraphic(GraphicControl& control);
  HWND HostHandle() const { return hostWindow_; }

 protected:
  void AttachHost(HWND window) { hostWindow_ = window; }
  void PaintGraphics(HDC dc, const RECT& dirty);
  // Handles the mouse and cursor messages that concern the graphic controls; answers
  // whether the message was consumed.
  bool HandleGraphicMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  GraphicControl* ControlAt(POINT point) const;

 private:
  HWND hostWindow_ = nullptr;
  std::vector<GraphicControl*> controls_;
  GraphicControl* pressed_ = nullptr;
};

}  // namespace ovelix::ui
