#pragma once

#include <string>
#include <string_view>

namespace ovelix {

// The executable's path up to and including its last backslash; empty without one.
std::u16string ProgramFolderOf(std::u16string_view executablePath);

// The folder of the running executable, computed on first use and never changed.
// File names are appended to it directly.
const std::u16string& ProgramFolder();

}  // namespace ovelix
