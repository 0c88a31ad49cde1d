#include "desktop/user_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "core/platform/wide.h"

namespace ovelix {

std::u16string UserAppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  // SHGetFolderPathW is there from Windows 2000 on; its successor only from Vista.
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return FromWide(path);
}

std::u16string ThemesFolder() {
  const std::u16string appData = UserAppDataFolder();
  return appData.empty() ? std::u16string() : appData + u"\\Microsoft\\Windows\\Themes";
}

}  // namespace ovelix
