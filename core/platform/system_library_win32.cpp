#include "core/platform/system_library.h"

#include <string>

namespace ovelix {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  path.resize(length);
  path += L'\\';
  path += name;
  // The altered search looks for the library's own imports in its folder, not the program's.
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void SearchDllsInSystemFolderOnly() {
  // Looked up, not imported: Windows XP and an unpatched Vista or 7 lack it.
  const auto setDefaultDirectories = LibraryFunction<decltype(SetDefaultDllDirectories)>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDirectories == nullptr || !setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetDllDirectoryW(L"");
  }
}

}  // namespace ovelix
