#include "ui/controls/host_accessibility.h"

#include <ole2.h>
#include <oleacc.h>

#include <new>
#include <string_view>
#include <utility>

#include "ui/controls/graphic_control.h"
#include "ui/controls/oleacc_library.h"

namespace ovelix::ui {

namespace {

// What a click does, as tools name it: a radio button is chosen, anything else pressed.
std::u16string_view DefaultActionName(ControlRole role) {
  return role == ControlRole::RadioButton ? u"Выбрать" : u"Нажать";
}

LONG SystemRole(ControlRole role) {
  switch (role) {
    case ControlRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case ControlRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ControlRole::RadioButton: return ROLE_SYSTEM_RADIOBUTTON;
    case ControlRole::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case ControlRole::Grouping: return ROLE_SYSTEM_GROUPING;
  }
  return ROLE_SYSTEM_CLIENT;
}

// A text property: S_FALSE and no string when there is no text.
HRESULT TextAnswer(std::u16string_view text, BSTR* answer) {
  if (text.empty()) return S_FALSE;
  *answer = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

void NumberAnswer(LONG number, VARIANT* answer) {
  V_VT(answer) = VT_I4;
  V_I4(answer) = number;
}

HRESULT WindowObject(HWND window, IDispatch** object) {
  return oleacc::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                            reinterpret_cast<void**>(object));
}

HRESULT WindowAnswer(HWND window, VARIANT* answer) {
  IDispatch* object = nullptr;
  const HRESULT result = WindowObject(window, &object);
  if (FAILED(result)) return result;
  V_VT(answer) = VT_DISPATCH;
  V_DISPATCH(answer) = object;
  return S_OK;
}

}  // namespace

// Children are numbered from 1: first the graphic controls in painting order (their numbers
// never change), then the child windows in z-order, which answer for themselves as objects.
// Questions about the host itself go to the object the system made for its window.
// COM objects go by Release, never by delete through an interface, so no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class HostClientObject final : public IAccessible {
#pragma GCC diagnostic pop
 public:
  // With one reference, or nullptr when the system gives no object for the window.
  static HostClientObject* Create(ControlHost& host) {
    IAccessible* standard = nullptr;
    if (FAILED(oleacc::CreateStdAccessibleObject(host.HostHandle(), OBJID_CLIENT, __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&standard)))) {
      return nullptr;
    }
    auto* object = new (std::nothrow) HostClientObject(host, *standard);
    if (object == nullptr) standard->Release();
    return object;
  }

  void Disconnect() {
    host_ = nullptr;
    if (standard_ != nullptr) std::exchange(standard_, nullptr)->Release();
    // Tools in other processes hold it through COM stubs: release them now, not when they go.
    CoDisconnectObject(this, 0);
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: no type information; tools call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the tree.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    const HRESULT usable = Usable();
    return SUCCEEDED(usable) ? standard_->get_accParent(parent) : usable;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    if (const HRESULT usable = Usable(); FAILED(usable)) return usable;
    *count = GraphicCount() + ChildWindowCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (const HRESULT usable = Usable(); FAILED(usable)) return usable;
    if (V_VT(&child) != VT_I4) return E_INVALIDARG;
    const LONG id = V_I4(&child);
    if (id >= 1 && id <= GraphicCount()) return S_FALSE;  // a simple element, no object of its own
    const HWND window = ChildWindow(id);
    return window != nullptr ? WindowObject(window, object) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    V_VT(end) = VT_EMPTY;
    if (const HRESULT usable = Usable(); FAILED(usable)) return usable;
    if (V_VT(&start) != VT_I4) return E_INVALIDARG;
    const LONG from = V_I4(&start);
    const LONG count = GraphicCount() + ChildWindowCount();
    if (from == CHILDID_SELF) {
      if (direction == NAVDIR_FIRSTCHILD) return ChildAnswer(1, end);
      if (direction == NAVDIR_LASTCHILD) return ChildAnswer(count, end);
      return standard_->accNavigate(direction, start, end);
    }
    if (from < 1 || from > count) return E_INVALIDARG;
    if (direction == NAVDIR_NEXT) return ChildAnswer(from + 1, end);
    if (direction == NAVDIR_PREVIOUS) return ChildAnswer(from - 1, end);
    return DISP_E_MEMBERNOTFOUND;  // between children, only the order is known here
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override {
    if (found == nullptr) return E_POINTER;
    V_VT(found) = VT_EMPTY;
    if (const HRESULT usable = Usable(); FAILED(usable)) return usable;
    const HWND window = host_->HostHandle();
    POINT point{x, y};
    ScreenToClient(window, &point);
    RECT client;
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    // Child windows lie over the graphic controls.
    const HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child != nullptr && child != window) return WindowAnswer(child, found);
    const GraphicControl* control = host_->ControlAt(point);
    NumberAnswer(control != nullptr ? IdOf(*control) : CHILDID_SELF, found);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    V_VT(focus) = VT_EMPTY;
    // Graphic controls never take the focus: it is the host's or a child window's.
    const HRESULT usable = Usable();
    return SUCCEEDED(usable) ? standard_->get_accFocus(focus) : usable;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    V_VT(selection) = VT_EMPTY;
    const HRESULT usable = Usable();
    return SUCCEEDED(usable) ? standard_->get_accSelection(selection) : usable;
  }

  // IAccessible: the properties of the host or of one graphic control.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return TextProperty(child, name, &IAccessible::get_accName,
                        [](const GraphicControl& control) { return control.Name(); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return TextProperty(child, value, &IAccessible::get_accValue, NoText);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (description != nullptr && IsSelf(child) && !host_->OwnDescription().empty()) {
      return TextAnswer(host_->OwnDescription(), description);
    }
    return TextProperty(child, description, &IAccessible::get_accDescription,
                        [](const GraphicControl& control) { return control.Description(); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return TextProperty(child, help, &IAccessible::get_accHelp, NoText);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return TextProperty(child, shortcut, &IAccessible::get_accKeyboardShortcut, NoText);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (action != nullptr && IsSelf(child) && host_->OwnRole()) {
      *action = nullptr;
      return TextAnswer(host_->CanClickSelf() ? DefaultActionName(*host_->OwnRole()) : std::u16string_view(), action);
    }
    return TextProperty(child, action, &IAccessible::get_accDefaultAction, [this](const GraphicControl& control) {
      return host_->CanClick(control) ? DefaultActionName(control.Role()) : std::u16string_view();
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (file == nullptr || topic == nullptr) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return ForChild(
        child, [&] { return standard_->get_accHelpTopic(file, child, topic); },
        [](const GraphicControl&) { return S_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role != nullptr && IsSelf(child) && host_->OwnRole()) {
      NumberAnswer(SystemRole(*host_->OwnRole()), role);
      return S_OK;
    }
    return NumberProperty(child, role, &IAccessible::get_accRole,
                          [](const GraphicControl& control) { return SystemRole(control.Role()); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result =
        NumberProperty(child, state, &IAccessible::get_accState, [this](const GraphicControl& control) {
          LONG flags = 0;
          if (!host_->Shows(control)) flags |= STATE_SYSTEM_INVISIBLE;
          if (!host_->TakesInput()) flags |= STATE_SYSTEM_UNAVAILABLE;
          return flags;
        });
    // What the system says of the window (focused, hidden ...); a control of its own also
    // takes the focus, and may be checked.
    if (result == S_OK && IsSelf(child) && host_->OwnRole() && V_VT(state) == VT_I4) {
      V_I4(state) |= STATE_SYSTEM_FOCUSABLE | (host_->OwnChecked() ? STATE_SYSTEM_CHECKED : 0);
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    return ForChild(
        child, [&] { return standard_->accLocation(left, top, width, height, child); },
        [&](const GraphicControl& control) {
          const RECT& bounds = control.Bounds();
          POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
          MapWindowPoints(host_->HostHandle(), nullptr, corners, 2);
          *left = corners[0].x;
          *top = corners[0].y;
          *width = corners[1].x - corners[0].x;
          *height = corners[1].y - corners[0].y;
          return S_OK;
        });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return ForChild(
        child,
        [&] {
          if (!host_->OwnRole()) return standard_->accDoDefaultAction(child);
          if (!host_->CanClickSelf()) return DISP_E_MEMBERNOTFOUND;
          return host_->ClickSelfLater() ? S_OK : E_FAIL;
        },
        [&](GraphicControl& control) {
          if (!host_->CanClick(control)) return DISP_E_MEMBERNOTFOUND;
          return host_->ClickLater(control) ? S_OK : E_FAIL;
        });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return ForChild(
        child, [&] { return standard_->accSelect(flags, child); },
        [](const GraphicControl&) { return DISP_E_MEMBERNOTFOUND; });  // no focus, no selection
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }  // retired from the interface
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return ForChild(
        child, [&] { return standard_->put_accValue(child, value); },
        [](const GraphicControl&) { return DISP_E_MEMBERNOTFOUND; });  // none has a value
  }

 private:
  HostClientObject(ControlHost& host, IAccessible& standard) : host_(&host), standard_(&standard) {}
  ~HostClientObject() {
    if (standard_ != nullptr) standard_->Release();
  }

  // The controls belong to the window's thread. Calls from other processes arrive there
  // only because that thread is a single-threaded COM apartment: refuse any other thread.
  HRESULT Usable() const {
    if (GetCurrentThreadId() != thread_) return RPC_E_WRONG_THREAD;
    return host_ != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
  }

  static std::u16string_view NoText(const GraphicControl&) { return {}; }

  // Whether a usable object is asked about the host itself, where the host may answer
  // beyond the system's object; ForChild checks the rest.
  bool IsSelf(const VARIANT& child) const {
    return SUCCEEDED(Usable()) && V_VT(&child) == VT_I4 && V_I4(&child) == CHILDID_SELF;
  }

  // Answers for the host itself through `self`, for a graphic control through `own`;
  // anything else is an error (a child window is asked through its own object).
  template <typename Self, typename Own>
  HRESULT ForChild(const VARIANT& child, Self self, Own own) {
    if (const HRESULT usable = Usable(); FAILED(usable)) return usable;
    if (V_VT(&child) != VT_I4) return E_INVALIDARG;
    const LONG id = V_I4(&child);
    if (id == CHILDID_SELF) return self();
    if (id < 1 || id > GraphicCount()) return E_INVALIDARG;
    return own(*host_->Graphics()[static_cast<std::size_t>(id - 1)]);
  }

  template <typename Own>
  HRESULT TextProperty(const VARIANT& child, BSTR* answer,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*), Own own) {
    if (answer == nullptr) return E_POINTER;
    *answer = nullptr;
    return ForChild(
        child, [&] { return (standard_->*standard)(child, answer); },
        [&](const GraphicControl& control) { return TextAnswer(own(control), answer); });
  }

  template <typename Own>
  HRESULT NumberProperty(const VARIANT& child, VARIANT* answer,
                         HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, VARIANT*), Own own) {
    if (answer == nullptr) return E_POINTER;
    V_VT(answer) = VT_EMPTY;
    return ForChild(
        child, [&] { return (standard_->*standard)(child, answer); },
        [&](const GraphicControl& control) {
          NumberAnswer(own(control), answer);
          return S_OK;
        });
  }

  LONG GraphicCount() const { return static_cast<LONG>(host_->Graphics().size()); }
  LONG IdOf(const GraphicControl& control) const { return static_cast<LONG>(host_->IndexOf(control)) + 1; }
  LONG ChildWindowCount() const {
    LONG count = 0;
    for (HWND child = GetWindow(host_->HostHandle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
      ++count;
    return count;
  }
  // The child window with this child id, or nullptr.
  HWND ChildWindow(LONG id) const {
    if (id <= GraphicCount()) return nullptr;
    HWND child = GetWindow(host_->HostHandle(), GW_CHILD);
    for (LONG i = GraphicCount() + 1; child != nullptr && i < id; ++i) child = GetWindow(child, GW_HWNDNEXT);
    return child;
  }
  // A child as navigation answers it: its number if simple, its object if a window; S_FALSE
  // and nothing past either end.
  HRESULT ChildAnswer(LONG id, VARIANT* answer) {
    if (id >= 1 && id <= GraphicCount()) {
      NumberAnswer(id, answer);
      return S_OK;
    }
    const HWND window = ChildWindow(id);
    return window != nullptr ? WindowAnswer(window, answer) : S_FALSE;
  }

  LONG references_ = 1;
  const DWORD thread_ = GetCurrentThreadId();  // made while the window answers WM_GETOBJECT
  ControlHost* host_;  // nullptr once disconnected
  IAccessible* standard_;
};

bool HostAccessibility::OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The object id arrives as a 32-bit value, sign-extended or not.
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || host_.HostHandle() == nullptr) return false;
  if (object_ == nullptr) object_ = HostClientObject::Create(host_);
  if (object_ == nullptr) return false;
  result = oleacc::LresultFromObject(__uuidof(IAccessible), wParam, object_);
  return true;
}

void HostAccessibility::Disconnect() {
  if (object_ == nullptr) return;
  object_->Disconnect();
  std::exchange(object_, nullptr)->Release();
}

}  // namespace ovelix::ui
