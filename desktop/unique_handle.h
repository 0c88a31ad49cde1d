#pragma once

#include <utility>

namespace ovelix {

// Owns one system handle and frees it with `Free` at scope end. Move-only; an empty owner
// (nullptr) stands for a handle the system did not give.
template <typename Handle, void (*Free)(Handle)>
class UniqueHandle {
 public:
  explicit UniqueHandle(Handle handle = nullptr) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() {
    if (handle_ != nullptr) Free(handle_);
  }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

 private:
  Handle handle_;
};

}  // namespace ovelix
