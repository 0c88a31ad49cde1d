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

void WriteStringValue(const RegistryKey& key, std::u16string_view name, std::u16string_view text) {
  const std::wstring data = ToWide(text);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  if (!key || RegSetValueExW(key.Get(), ToWide(name).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(data.c_str()), bytes) != ERROR_SUCCESS) {
    throw Error(FormatText(u"Failed to set data for '%s'", {name}));
  }
}

}  // namespace ovelix
