#pragma once

#include <windows.h>

#include <utility>

namespace ovelix {

// The drawing context of the whole screen, whose origin is the primary screen's top left.
class ScreenDc {
 public:
  ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
  ScreenDc(ScreenDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  ScreenDc& operator=(ScreenDc&& other) noexcept {
    std::swap(dc_, other.dc_);
    return *this;
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }

  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A memory drawing context compatible with another one.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {}
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    std::swap(dc_, other.dc_);
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }

  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Owns a pen, brush, bitmap or other object that DeleteObject frees.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) noexcept : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (handle_ != nullptr) DeleteObject(handle_);
  }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

 private:
  Handle handle_;
};

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
