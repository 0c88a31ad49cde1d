#include "ui/tests/accessible_tree.h"

#include <algorithm>
#include <array>

#include "desktop/tests/message_pump.h"

namespace ovelix::testing_support {

namespace {

StateChangeListener* listening = nullptr;

// What tools here ask of a process's objects: the client objects, the objects of child
// windows handed out as IDispatch, their windows and their children.
const std::array<IID, 4> ToolInterfaces{__uuidof(IAccessible), __uuidof(IDispatch), __uuidof(IOleWindow),
                                        __uuidof(IEnumVARIANT)};

std::wstring Take(BSTR text) {
  std::wstring taken = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return taken;
}

LONG Number(HRESULT result, const VARIANT& value) {
  return SUCCEEDED(result) && V_VT(&value) == VT_I4 ? V_I4(&value) : -1;
}

// Everything but the name and the place comes from `object` about `id`.
void ReadProperties(IAccessible& object, LONG id, AccessibleChild& child) {
  BSTR text = nullptr;
  object.get_accName(ChildId(id), &text);
  child.name = Take(text);
  text = nullptr;
  object.get_accValue(ChildId(id), &text);
  child.value = Take(text);
  text = nullptr;
  object.get_accDescription(ChildId(id), &text);
  child.description = Take(text);
  text = nullptr;
  object.get_accDefaultAction(ChildId(id), &text);
  child.defaultAction = Take(text);
  VARIANT value;
  V_VT(&value) = VT_EMPTY;
  child.role = Number(object.get_accRole(ChildId(id), &value), value);
  V_VT(&value) = VT_EMPTY;
  child.state = Number(object.get_accState(ChildId(id), &value), value);
  LONG left = 0, top = 0, width = 0, height = 0;
  if (SUCCEEDED(object.accLocation(&left, &top, &width, &height, ChildId(id)))) {
    child.location = {left, top, left + width, top + height};
  }
}

}  // namespace

AccessibleRef ClientObject(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return AccessibleRef(object);
}

VARIANT ChildId(LONG id) {
  VARIANT variant;
  V_VT(&variant) = VT_I4;
  V_I4(&variant) = id;
  return variant;
}

HWND WindowOf(IDispatch& object) {
  IAccessible* accessible = nullptr;
  if (FAILED(object.QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible)))) return nullptr;
  HWND window = nullptr;
  WindowFromAccessibleObject(accessible, &window);
  accessible->Release();
  return window;
}

std::vector<AccessibleChild> ReadChildren(IAccessible& parent) {
  LONG count = 0;
  if (FAILED(parent.get_accChildCount(&count)) || count <= 0) return {};
  std::vector<VARIANT> found(static_cast<std::size_t>(count));
  LONG obtained = 0;
  if (FAILED(AccessibleChildren(&parent, 0, count, found.data(), &obtained))) return {};
  std::vector<AccessibleChild> children;
  for (LONG i = 0; i < obtained; ++i) {
    VARIANT& item = found[static_cast<std::size_t>(i)];
    AccessibleChild child;
    if (V_VT(&item) == VT_I4) {
      child.id = V_I4(&item);
      ReadProperties(parent, child.id, child);
    } else if (V_VT(&item) == VT_DISPATCH) {
      child.window = WindowOf(*V_DISPATCH(&item));
      if (AccessibleRef client = ClientObject(child.window)) ReadProperties(*client, CHILDID_SELF, child);
    }
    VariantClear(&item);
    children.push_back(child);
  }
  return children;
}

ServedInterfaces::ServedInterfaces(HWND window) {
  AccessibleRef client = ClientObject(window);
  if (client == nullptr) return;
  // The window object, made by the system in the serving process, has the interfaces that
  // the client object lacks.
  IDispatch* windowObject = nullptr;
  client->get_accParent(&windowObject);
  for (IUnknown* object : {static_cast<IUnknown*>(client.get()), static_cast<IUnknown*>(windowObject)}) {
    if (object == nullptr) continue;
    for (const IID& id : ToolInterfaces) {
      void* held = nullptr;
      if (SUCCEEDED(object->QueryInterface(id, &held))) {
        held_.push_back({id, InterfaceRef(static_cast<IUnknown*>(held))});
      }
    }
  }
  if (windowObject != nullptr) windowObject->Release();
}

bool ServedInterfaces::Holding() const {
  return std::all_of(ToolInterfaces.begin(), ToolInterfaces.end(), [&](const IID& id) {
    return std::any_of(held_.begin(), held_.end(), [&](const auto& held) { return held.first == id; });
  });
}

StateChangeListener::StateChangeListener(DWORD process)
    : hook_(SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, &StateChangeListener::Record,
                            process, 0, WINEVENT_OUTOFCONTEXT)) {
  listening = this;
}

StateChangeListener::~StateChangeListener() {
  if (hook_ != nullptr) UnhookWinEvent(hook_);
  listening = nullptr;
}

const std::vector<StateChangeListener::Change>& StateChangeListener::Heard() {
  PumpMessages();
  return heard_;
}

void CALLBACK StateChangeListener::Record(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (listening != nullptr) listening->heard_.push_back({window, object, child});
}

}  // namespace ovelix::testing_support
