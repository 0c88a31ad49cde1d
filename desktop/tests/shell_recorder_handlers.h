#pragma once

// Makes the shell hand links and files to shell_recorder.exe, which writes down what it got.

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

namespace ovelix::testing_support {

class ShellRecorder {
 public:
  // For its lifetime, the recorder opens these link schemes and, when given, files with this
  // extension (".chm"); what was registered before comes back at the end.
  explicit ShellRecorder(std::initializer_list<const wchar_t*> schemes, const wchar_t* extension = nullptr);
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  // What the shell handed over next: the link or file, a line break and the show state;
  // "(nothing recorded)" when nothing came within the limit.
  std::u16string WaitForRecord(std::chrono::milliseconds limit = std::chrono::seconds(10));

 private:
  struct Saved {
    std::wstring key;  // under HKEY_CLASSES_ROOT
    bool existed;
  };
  void Replace(const std::wstring& key, const std::wstring& defaultValue, bool urlProtocol);

  std::wstring record_;
  std::vector<Saved> saved_;
};

}  // namespace ovelix::testing_support
