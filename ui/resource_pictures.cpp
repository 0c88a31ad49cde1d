#include "ui/resource_pictures.h"

#include <windows.h>

#include <span>

#include "core/bmp_file.h"
#include "ui/gdi.h"
#include "ui/window.h"

namespace ovelix::ui {

int ScreenColorDepth() {
  ScreenDc screen(GetDC(nullptr));
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

Picture LoadResourcePicture(int id) {
  const HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) ThrowSystemError(GetLastError());
  const std::span bytes(static_cast<const std::uint8_t*>(data), SizeofResource(module, resource));
  return ReadBmpBytes(bytes, ScreenColorDepth());
}

}  // namespace ovelix::ui
