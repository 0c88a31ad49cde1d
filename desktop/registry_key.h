#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/old_rec.h"
#include "desktop/unique_handle.h"

namespace ovelix {

inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }

// Owns an open registry key. An empty owner stands for a key that failed to open: reads
// from it give empty text and writes to it fail.
using RegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;

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

// A value of any type, as stored; nothing when the key is not open or the value is missing.
// Fails with "Failed to get data for '%s'".
std::optional<FoundValue> ReadValue(const RegistryKey& key, std::u16string_view name);

// Fails with "Failed to set data for '%s'", also when the key is not open.
void WriteValue(const RegistryKey& key, std::u16string_view name, const FoundValue& value);

}  // namespace ovelix
