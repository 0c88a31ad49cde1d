#pragma once

#include <windows.h>

namespace ovelix {

// DLLs of Windows that are not among its known DLLs, which every Windows maps from its own
// folder, are found by name in the program's folder first: a file of that name lying beside
// the program, in a Downloads folder that any web page can write to, would run inside it.
// So the program imports only known DLLs and loads any other from the system folder by its
// full path, its own imports looked for there too. Such a library stays loaded for the rest
// of the run: the objects and window classes it hands out live in it. nullptr when the
// system has no such DLL.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a loaded library by name, typed as `Function` (a function type, as
// decltype(SomeApiFunction) gives it); nullptr when the library is missing or lacks it.
template <typename Function>
Function* LibraryFunction(HMODULE library, const char* name) {
  if (library == nullptr) return nullptr;
  // GetProcAddress gives every function the one type FARPROC.
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// From here on, DLLs that the system's own DLLs load by name are looked for in the system
// folder alone, where the system offers that (Windows 8 on, Vista and 7 with their update
// for it); elsewhere at least the current folder is left out. Call it first thing.
void SearchDllsInSystemFolderOnly();

}  // namespace ovelix
