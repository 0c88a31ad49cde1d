#pragma once

#include <windows.h>

#include "desktop/unique_handle.h"

namespace ovelix {

inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
template <typename Handle>
void DeleteGdiObject(Handle handle) {
  DeleteObject(handle);
}

// The drawing context of the whole screen, whose origin is the primary screen's top left:
// ScreenDc screen(GetDC(nullptr)).
using ScreenDc = UniqueHandle<HDC, ReleaseScreenDc>;
// A memory drawing context from CreateCompatibleDC.
using MemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
// A pen, brush, bitmap or other object that DeleteObject frees.
template <typename Handle>
using GdiObject = UniqueHandle<Handle, DeleteGdiObject<Handle>>;

// Selects an object into a drawing context and puts the previous one back at scope end.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ovelix
