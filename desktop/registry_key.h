#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace ovelix {

// Owns an open registry key. An empty owner stands for a key that failed to open: reads
// from it give empty text and writes to it fail.
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) noexcept : key_(key) {}
  RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
      Close();
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { Close(); }

  HKEY Get() const noexcept { return key_; }
  explicit operator bool() const noexcept { return key_ != nullptr; }

 private:
  void Close() noexcept {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

  HKEY key_ = nullptr;
};

// Asks for read access, then for query-and-enumerate, then for query alone.
RegistryKey OpenKeyForReading(HKEY root, std::u16string_view path);

// Asks for full access, creating the key (non-volatile) when it is missing.
RegistryKey CreateKeyForWriting(HKEY root, std::u16string_view path);

// A string or expandable string value (not expanded), cut at its first zero character.
// Empty when the key is not open, the value is missing or its data is empty. Fails with
// "Failed to get data for '%s'" or "Invalid data type for '%s'", the value's name for %s.
std::u16string ReadStringValue(const RegistryKey& key, std::u16string_view name);

// A REG_SZ value whose stored length includes the terminating zero.
// Fails with "Failed to set data for '%s'", also when the key is not open.
void WriteStringValue(const RegistryKey& key, std::u16string_view name, std::u16string_view text);

}  // namespace ovelix
