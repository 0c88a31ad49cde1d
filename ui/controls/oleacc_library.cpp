#include "ui/controls/oleacc_library.h"

#include "core/platform/system_library.h"

namespace ovelix::ui::oleacc {

namespace {

constexpr HRESULT Missing = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

struct Functions {
  decltype(::CreateStdAccessibleObject)* createStdAccessibleObject;
  decltype(::AccessibleObjectFromWindow)* accessibleObjectFromWindow;
  decltype(::LresultFromObject)* lresultFromObject;
};

const Functions& Loaded() {
  static const Functions functions = [] {
    const HMODULE library = LoadSystemLibrary(L"oleacc.dll");
    return Functions{
        LibraryFunction<decltype(::CreateStdAccessibleObject)>(library, "CreateStdAccessibleObject"),
        LibraryFunction<decltype(::AccessibleObjectFromWindow)>(library, "AccessibleObjectFromWindow"),
        LibraryFunction<decltype(::LresultFromObject)>(library, "LresultFromObject")};
  }();
  return functions;
}

}  // namespace

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID interfaceId, void** object) {
  const auto function = Loaded().createStdAccessibleObject;
  return function != nullptr ? function(window, objectId, interfaceId, object) : Missing;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void** object) {
  const auto function = Loaded().accessibleObjectFromWindow;
  return function != nullptr ? function(window, objectId, interfaceId, object) : Missing;
}

LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object) {
  const auto function = Loaded().lresultFromObject;
  return function != nullptr ? function(interfaceId, wParam, object) : Missing;
}

}  // namespace ovelix::ui::oleacc
