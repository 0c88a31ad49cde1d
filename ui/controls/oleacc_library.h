#pragma once

#include <windows.h>

#include <oleacc.h>

// The functions of oleacc.dll that the accessible objects use, the same as the system's.
// oleacc is no known DLL of Windows, so it is not imported: it is loaded from the system
// folder at the first call, which comes with the first WM_GETOBJECT. Without it each answers
// the error of a missing module.
namespace ovelix::ui::oleacc {

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID interfaceId, void** object);
HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void** object);
LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object);

}  // namespace ovelix::ui::oleacc
