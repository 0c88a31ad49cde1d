#include "desktop/registry_key.h"

#include "core/error.h"
#include "core/platform/wide.h"
#include "core/text.h"

namespace ovelix {

RegistryKey OpenKeyForReading(HKEY root, std::u16string_view path) {
  const std::wstring widePath = ToWide(path);
  for (const REGSAM access : {REGSAM{KEY_READ}, REGSAM{KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS},
                              REGSAM{KEY_QUERY_VALUE}}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, widePath.c_str(), 0, access, &key) == ERROR_SUCCESS) return RegistryKey(key);
  }
  return RegistryKey();
}

RegistryKey CreateKeyForWriting(HKEY root, std::u16string_view path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, ToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return RegistryKey();
  }
  return RegistryKey(key);
}

std::u16string ReadStringValue(const RegistryKey& key, std::u16string_view name) {
  if (!key) return {};
  const std::wstring wideName = ToWide(name);
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return {};
  }
  // Rounded up to whole characters, plus a zero for data stored without one.
  std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
  DWORD type = REG_NONE;
  DWORD fetched = size;
  if (RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &fetched) != ERROR_SUCCESS) {
    throw Error(FormatText(u"Failed to get data for '%s'", {name}));
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw Error(FormatText(u"Invalid data type for '%s'", {name}));
  return FromWide(std::wstring_view(data.c_str()));
}

namespace {

void SetValue(const RegistryKey& key, std::u16string_view name, DWORD type, const void* data, std::size_t size) {
  if (!key || RegSetValueExW(key.Get(), ToWide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)) != ERROR_SUCCESS) {
    throw Error(FormatText(u"Failed to set data for '%s'", {name}));
  }
}

}  // namespace

void WriteStringValue(const RegistryKey& key, std::u16string_view name, std::u16string_view text) {
  const std::wstring data = ToWide(text);
  SetValue(key, name, REG_SZ, data.c_str(), (data.size() + 1) * sizeof(wchar_t));
}

std::optional<FoundValue> ReadValue(const RegistryKey& key, std::u16string_view name) {
  if (!key) return std::nullopt;
  const std::wstring wideName = ToWide(name);
  FoundValue value;
  DWORD size = 0;
  LONG fetched = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, nullptr, nullptr, &size);
  if (fetched == ERROR_FILE_NOT_FOUND) return std::nullopt;
  // Another program may make the value longer between the two calls: then ask again.
  while (fetched == ERROR_SUCCESS || fetched == ERROR_MORE_DATA) {
    value.data.resize(size);
    DWORD type = REG_NONE;
    fetched = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, value.data.data(), &size);
    if (fetched == ERROR_SUCCESS) {
      value.type = type;
      value.data.resize(size);
      return value;
    }
    if (fetched == ERROR_FILE_NOT_FOUND) return std::nullopt;
  }
  throw Error(FormatText(u"Failed to get data for '%s'", {name}));
}

void WriteValue(const RegistryKey& key, std::u16string_view name, const FoundValue& value) {
  SetValue(key, name, value.type, value.data.data(), value.data.size());
}

}  // namespace ovelix
