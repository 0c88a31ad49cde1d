#pragma once

// Reads windows the way accessibility tools do: through AccessibleObjectFromWindow and the
// IAccessible of a window's client area, in this process or another one.

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ovelix::testing_support {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
using AccessibleRef = std::unique_ptr<IAccessible, ComRelease>;

// The object of the window's client area, or nullptr.
AccessibleRef ClientObject(HWND window);

VARIANT ChildId(LONG id);

// The window of an object that a tool was handed, or nullptr.
HWND WindowOf(IDispatch& object);

// A child as a tool sees it: a simple element of its parent (id > 0, window nullptr), or a
// child window, whose name is that of its own client object.
struct AccessibleChild {
  LONG id = 0;
  HWND window = nullptr;
  std::wstring name;
  std::wstring value;
  std::wstring description;
  LONG role = 0;
  LONG state = 0;
  std::wstring defaultAction;
  RECT location{};  // on the screen
};

std::vector<AccessibleChild> ReadChildren(IAccessible& parent);

// Wine 8's RPC runtime can hang a process that serves COM objects: when a tool releases the
// process's last object of an interface just after calling it, the serving thread waits in
// RpcServerUnregisterIf for that call, whose end has already gone by unheard. Holding a
// top-level window's objects with every interface that tools here ask for keeps each one
// registered in that process, so no release comes to that wait. Take it before reading the
// process, and let it go once the process has ended.
class ServedInterfaces {
 public:
  explicit ServedInterfaces(HWND window);
  // Whether every interface is held.
  bool Holding() const;

 private:
  using InterfaceRef = std::unique_ptr<IUnknown, ComRelease>;
  std::vector<std::pair<IID, InterfaceRef>> held_;
};

// Hears the state changes that a process announces, as a tool does: out of context, so the
// events arrive through this thread's messages, which Heard handles. One at a time.
class StateChangeListener {
 public:
  struct Change {
    HWND window;
    LONG object;
    LONG child;
    bool operator==(const Change&) const = default;
  };

  explicit StateChangeListener(DWORD process);
  ~StateChangeListener();
  StateChangeListener(const StateChangeListener&) = delete;
  StateChangeListener& operator=(const StateChangeListener&) = delete;

  bool Listening() const { return hook_ != nullptr; }
  // What was heard so far.
  const std::vector<Change>& Heard();

 private:
  static void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD);

  HWINEVENTHOOK hook_;
  std::vector<Change> heard_;
};

}  // namespace ovelix::testing_support
