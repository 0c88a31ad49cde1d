#pragma once

// DLLs such as a web page could drop beside the program, in a Downloads folder it can write
// to, under the names of Windows' own DLLs. Each is the marker DLL, which leaves the file
// "<its path>.loaded" when something loads it.
//
// Windows takes a DLL that is not one of its known DLLs from the program's folder first;
// Wine prefers its own to any it finds. While this lives, Wine takes these DLLs as Windows
// would for a program started after it (Wine reads a program's overrides when it starts).

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ovelix::e2e {

class PlantedDlls {
 public:
  // `folder` ends in a backslash; names are without ".dll".
  PlantedDlls(std::wstring folder, std::initializer_list<std::u16string_view> names);
  ~PlantedDlls();
  PlantedDlls(const PlantedDlls&) = delete;
  PlantedDlls& operator=(const PlantedDlls&) = delete;

  // The names of those that something has loaded.
  std::vector<std::u16string> Loaded() const;

 private:
  std::wstring folder_;
  std::vector<std::u16string> names_;
};

}  // namespace ovelix::e2e
