#pragma once

// A system that refuses wallpapers, for a process that runs now: Wine takes every path it is
// given (a missing file, a path far too long), where Windows may refuse a picture on a share
// that is gone, a policy, or a path longer than it takes. While it lives, the process's
// calls of SystemParametersInfoW with SPI_SETDESKWALLPAPER answer FALSE and change nothing;
// every other call goes through. It rewrites the process's import entry for that function,
// so the program under test runs as built, with no seam of its own.

#include <windows.h>

namespace ovelix::testing_support {

class RefusedWallpaperCalls {
 public:
  // This process, or another one (opened with PROCESS_VM_OPERATION, PROCESS_VM_READ,
  // PROCESS_VM_WRITE and PROCESS_QUERY_INFORMATION).
  explicit RefusedWallpaperCalls(HANDLE process = GetCurrentProcess());
  ~RefusedWallpaperCalls();
  RefusedWallpaperCalls(const RefusedWallpaperCalls&) = delete;
  RefusedWallpaperCalls& operator=(const RefusedWallpaperCalls&) = delete;

 private:
  HANDLE process_;
  ULONG_PTR slot_ = 0;      // the import entry, in the process
  ULONG_PTR original_ = 0;  // what it held
};

}  // namespace ovelix::testing_support
