#include "desktop/file_identity.h"

#include <windows.h>

#include <optional>
#include <string>

#include "core/platform/wide.h"
#include "desktop/unique_handle.h"

namespace ovelix {

namespace {

struct FileIdentity {
  DWORD volume;
  DWORD indexHigh;
  DWORD indexLow;

  bool operator==(const FileIdentity&) const = default;
};

void CloseFile(HANDLE file) { CloseHandle(file); }
using FileHandle = UniqueHandle<HANDLE, CloseFile>;

std::optional<FileIdentity> IdentityOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  // Attributes only, shared every way, so that a file others hold open is still reached;
  // backup semantics open folders as well.
  const HANDLE opened = CreateFileW(ToWide(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const FileHandle file(opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

bool SameFile(std::u16string_view a, std::u16string_view b) {
  const std::optional<FileIdentity> first = IdentityOf(a);
  return first && first == IdentityOf(b);
}

bool LiesUnder(std::u16string_view path, std::u16string_view folder) {
  const std::optional<FileIdentity> target = IdentityOf(folder);
  if (!target) return false;
  // Up the path's folders, as it spells them, until one is the folder or the path ends.
  std::u16string_view rest = path;
  for (;;) {
    while (!rest.empty() && (rest.back() == u'\\' || rest.back() == u'/')) rest.remove_suffix(1);
    const std::size_t separator = rest.find_last_of(u"\\/");
    if (separator == std::u16string_view::npos) return false;
    rest = rest.substr(0, separator);
    // "C:" alone is the current folder of drive C, not its root.
    const std::u16string parent = rest.size() == 2 && rest[1] == u':' ? std::u16string(rest) + u"\\" : std::u16string(rest);
    if (IdentityOf(parent) == target) return true;
  }
}

}  // namespace ovelix
