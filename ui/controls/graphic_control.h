#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/host_accessibility.h"

namespace ovelix::ui {

class ControlHost;

// What accessibility tools announce a control as.
enum class ControlRole { StaticText, PushButton, RadioButton, Graphic, Grouping };

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
  bool Clickable() const { return static_cast<bool>(onClick_); }

  // For accessibility tools: the role, and the name: the text the control shows, or, set by
  // SetName for one that shows none (a picture, a frame), what it is for. Never painted.
  virtual ControlRole Role() const = 0;
  virtual std::u16string_view Name() const { return name_; }
  void SetName(std::u16string name) { name_ = std::move(name); }
  // Its hint, which tools offer as its description (Hints::Add sets both).
  std::u16string_view Description() const { return description_; }
  void SetDescription(std::u16string description) { description_ = std::move(description); }

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
  std::u16string name_;
  std::u16string description_;
};

// The windowed side: a window that carries graphic controls, in painting order. Its
// client area answers accessibility tools with them as its children.
class ControlHost {
 public:
  explicit ControlHost() = default;
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  void AddGraphic(GraphicControl& control);
  HWND HostHandle() const { return hostWindow_; }

  const std::vector<GraphicControl*>& Graphics() const { return controls_; }
  GraphicControl* ControlAt(POINT point) const;
  // Whether the control can be seen: it is visible on a visible host.
  bool Shows(const GraphicControl& control) const;
  // Whether the host takes input (neither it nor its top-level window is disabled).
  bool TakesInput() const;
  // Whether a click would do something now: the control has an action, shows and takes input.
  bool CanClick(const GraphicControl& control) const;
  // The control's place in painting order.
  std::size_t IndexOf(const GraphicControl& control) const;
  // Clicks the control as the mouse would, once the host's thread reads its messages: the
  // caller may be another process, and a click may show a modal box or end the window.
  // Answers whether the click is on its way.
  bool ClickLater(GraphicControl& control) { return QueueClick(&control); }

  // The host window itself, where it is a control of its own rather than an area holding
  // controls (a mode panel is a radio button): tools are told its role, whether it is
  // checked, its hint as description, and its click is its default action. For what is not
  // set here, the system's description of the window stands.
  std::optional<ControlRole> OwnRole() const { return ownRole_; }
  bool OwnChecked() const { return ownChecked_; }
  std::u16string_view OwnDescription() const { return ownDescription_; }
  void SetOwnDescription(std::u16string description) { ownDescription_ = std::move(description); }
  void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
  bool CanClickSelf() const;
  bool ClickSelfLater() { return QueueClick(nullptr); }

 protected:
  void AttachHost(HWND window) { hostWindow_ = window; }
  void SetOwnRole(ControlRole role) { ownRole_ = role; }
  // Announces a change to tools.
  void SetOwnChecked(bool checked);
  void ClickSelf() {
    if (onClick_) onClick_();
  }
  void PaintGraphics(HDC dc, const RECT& dirty);
  // Handles the mouse, cursor and accessibility messages that concern the graphic
  // controls; answers whether the message was consumed.
  bool HandleGraphicMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  // nullptr stands for the host itself.
  bool QueueClick(GraphicControl* control);
  void RunQueuedClick();

  HWND hostWindow_ = nullptr;
  std::vector<GraphicControl*> controls_;
  GraphicControl* pressed_ = nullptr;
  // Clicks asked for by the program's own accessibility objects, run in this order from the
  // message loop; nullptr stands for the host itself.
  std::deque<GraphicControl*> queuedClicks_;
  std::optional<ControlRole> ownRole_;
  bool ownChecked_ = false;
  std::u16string ownDescription_;
  std::function<void()> onClick_;
  HostAccessibility accessibility_{*this};
};

}  // namespace ovelix::ui
