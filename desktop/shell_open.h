#pragma once

#include <windows.h>

#include <string_view>

namespace ovelix {

// Hands a file name or URL to the shell's default action, shown normally or hidden.
// The outcome is not examined: a failure goes unreported.
void ShellOpen(std::u16string_view target, bool shown);

// Hands a link to the shell's default action on behalf of a window of ours, shown; again
// the outcome is not examined.
void LaunchLink(HWND owner, std::u16string_view link);

}  // namespace ovelix
