#pragma once

#include <string_view>

namespace ovelix {

// Hands a file name or URL to the shell's default action, shown normally or hidden.
// The outcome is not examined: a failure goes unreported.
void ShellOpen(std::u16string_view target, bool shown);

}  // namespace ovelix
