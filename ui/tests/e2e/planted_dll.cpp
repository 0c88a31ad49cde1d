// A DLL to lie beside the program under the name of a system DLL, as a page could drop one
// into Downloads: loaded, it leaves the file "<its own path>.loaded" and refuses to load.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(instance, path.data(), MAX_PATH));
  const HANDLE marker = CreateFileW((path + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return FALSE;
}
