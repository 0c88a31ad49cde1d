#pragma once

// Files recognised by what they are, not by how their path is spelled: the same file
// reached through another case, an 8.3 name, a mapped or substituted drive or a UNC path
// has one identity, the volume's serial number and the file's index on it.

#include <string_view>

namespace ovelix {

// Whether both paths name one existing file or folder.
bool SameFile(std::u16string_view a, std::u16string_view b);

// Whether the path names a file or folder inside the folder, at any depth.
bool LiesUnder(std::u16string_view path, std::u16string_view folder);

}  // namespace ovelix
