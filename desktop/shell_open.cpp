#include "desktop/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include "core/platform/wide.h"

namespace ovelix {

void ShellOpen(std::u16string_view target, bool shown) {
  ShellExecuteW(nullptr, nullptr, ToWide(target).c_str(), nullptr, nullptr, shown ? SW_SHOWNORMAL : SW_HIDE);
}

}  // namespace ovelix
