#pragma once

#include <windows.h>

namespace ovelix::ui {

class ControlHost;
class HostClientObject;

// The accessible object of a control host's client area (its OBJID_CLIENT): the host window
// as the system describes it, with the graphic controls as simple children beside the child
// windows. Made on the first request; cut off when the window goes, so that a tool that
// still holds it gets errors instead of calls into a window that is gone.
class HostAccessibility {
 public:
  explicit HostAccessibility(ControlHost& host) : host_(host) {}
  HostAccessibility(const HostAccessibility&) = delete;
  HostAccessibility& operator=(const HostAccessibility&) = delete;
  ~HostAccessibility() { Disconnect(); }

  // WM_GETOBJECT: answers whether it was the client object asked for, and then the result.
  bool OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result);
  // At WM_NCDESTROY.
  void Disconnect();

 private:
  ControlHost& host_;
  HostClientObject* object_ = nullptr;  // one reference, ours
};

}  // namespace ovelix::ui
