#include "desktop_state.h"

#include <sddl.h>

#include <cstring>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/recovery.h"
#include "desktop/system_colors.h"
#include "desktop/wallpaper_registry.h"

namespace ovelix::testing_support {

namespace {

HKEY OpenKey(std::u16string_view path, REGSAM access) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(path).c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  return key;
}


constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 5> SavedValues{{
    {DesktopKeyPath, WallpaperValue},
    {DesktopKeyPath, TileWallpaperValue},
    {DesktopKeyPath, WallpaperStyleValue},
    {DesktopKeyPath, TranscodedImageCacheValue},
    {WallpaperSourceKeyPath, WallpaperSourceValue},
}};

}  // namespace

RawValue ReadRawValue(std::u16string_view name) { return ReadRawValue(DesktopKeyPath, name); }

RawValue ReadRawValue(std::u16string_view keyPath, std::u16string_view name) {
  const HKEY key = OpenKey(keyPath, KEY_QUERY_VALUE);
  RawValue value;
  DWORD size = 0;
  const std::wstring wideName = ToWide(name);
  // The running program may write a longer value between the two calls: then ask again.
  LONG fetched = ERROR_MORE_DATA;
  while (fetched == ERROR_MORE_DATA &&
         RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.exists = true;
    value.data.resize(size);
    fetched = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
  }
  if (value.exists) {
    EXPECT_EQ(fetched, ERROR_SUCCESS);
  }
  RegCloseKey(key);
  return value;
}

void WriteRawValue(std::u16string_view name, const RawValue& value) { WriteRawValue(DesktopKeyPath, name, value); }

void WriteRawValue(std::u16string_view keyPath, std::u16string_view name, const RawValue& value) {
  const HKEY key = OpenKey(keyPath, KEY_SET_VALUE);
  const std::wstring wideName = ToWide(name);
  if (value.exists) {
    EXPECT_EQ(RegSetValueExW(key, wideName.c_str(), 0, value.type, value.data.data(),
                             static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
  } else {
    RegDeleteValueW(key, wideName.c_str());
  }
  RegCloseKey(key);
}

RawValue StringValue(std::u16string_view text, DWORD type) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  RawValue value{true, type, {bytes, bytes + text.size() * sizeof(char16_t)}};
  value.data.insert(value.data.end(), sizeof(char16_t), 0);
  return value;
}

RawValue DwordValue(DWORD number) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&number);
  return {true, REG_DWORD, {bytes, bytes + sizeof(number)}};
}

::testing::AssertionResult HasString(std::u16string_view name, std::u16string_view text) {
  const RawValue expected = StringValue(text);
  const RawValue seen = ReadRawValue(name);
  if (seen.exists && seen.type == expected.type && seen.data == expected.data) return ::testing::AssertionSuccess();
  std::u16string shown(seen.data.size() / 2, u'\0');
  std::memcpy(shown.data(), seen.data.data(), shown.size() * 2);
  return ::testing::AssertionFailure()
         << Utf16ToUtf8(name) << ": expected REG_SZ \"" << Utf16ToUtf8(text) << "\" with its zero, found "
         << (seen.exists ? "type " + std::to_string(seen.type) + ", " + std::to_string(seen.data.size()) +
                               " bytes \"" + Utf16ToUtf8(shown) + "\""
                         : std::string("no value"));
}

std::u16string SystemWallpaper() {
  std::wstring path(MAX_PATH, L'\0');
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path.data(), 0));
  return FromWide(std::wstring_view(path.c_str()));
}

void SetSystemWallpaper(std::u16string_view path) {
  std::wstring writable = ToWide(path);
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, writable.data(), SPIF_UPDATEINIFILE);
}

DesktopTest::DesktopTest() : wallpaper_(SystemWallpaper()) {
  DropRecord();
  for (std::size_t i = 0; i < SavedValues.size(); ++i) values_[i] = ReadRawValue(SavedValues[i].first, SavedValues[i].second);
  for (std::size_t i = 0; i < colors_.size(); ++i) colors_[i] = GetSysColor(SavedSystemColors[i].index);
}

DesktopTest::~DesktopTest() {
  SetSystemWallpaper(wallpaper_);
  for (std::size_t i = 0; i < SavedValues.size(); ++i) WriteRawValue(SavedValues[i].first, SavedValues[i].second, values_[i]);
  DropRecord();
  for (std::size_t i = 0; i < colors_.size(); ++i) {
    const COLORREF color = colors_[i];
    SetSysColors(1, &SavedSystemColors[i].index, &color);
  }
}

RestrictedKey::RestrictedKey(const wchar_t* accessRule, std::u16string_view keyPath)
    : key_(OpenKey(keyPath, READ_CONTROL | WRITE_DAC)) {
  DWORD size = 0;
  RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
  saved_.resize(size);
  EXPECT_EQ(RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size), ERROR_SUCCESS);
  PSECURITY_DESCRIPTOR rule = nullptr;
  EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(accessRule, SDDL_REVISION_1, &rule, nullptr));
  EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, rule), ERROR_SUCCESS);
  LocalFree(rule);
}

RestrictedKey::~RestrictedKey() {
  EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data()), ERROR_SUCCESS);
  RegCloseKey(key_);
}

}  // namespace ovelix::testing_support
