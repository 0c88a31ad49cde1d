#include "desktop/shell_open.h"

#include <shellapi.h>

#include "core/platform/wide.h"

namespace ovelix {

void ShellOpen(std::u16string_view target, bool shown) {
  ShellExecuteW(nullptr, nullptr, ToWide(target).c_str(), nullptr, nullptr, shown ? SW_SHOWNORMAL : SW_HIDE);
}

void LaunchLink(HWND owner, std::u16string_view link) {
  ShellExecuteW(owner, nullptr, ToWide(link).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace ovelix
