#pragma once

// What the desktop tests read and set behind the code under test, through the plain
// system calls, and the fixture that puts everything back.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/tests/error_of.h"
#include "core/key_color.h"
#include "desktop/wallpaper_registry.h"

namespace ovelix::testing_support {

// A registry value of the desktop key as stored: type and bytes, or absent.
struct RawValue {
  bool exists = false;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// In the desktop key, or in the key given (under HKEY_CURRENT_USER).
RawValue ReadRawValue(std::u16string_view name);
RawValue ReadRawValue(std::u16string_view keyPath, std::u16string_view name);
void WriteRawValue(std::u16string_view name, const RawValue& value);
void WriteRawValue(std::u16string_view keyPath, std::u16string_view name, const RawValue& value);

RawValue StringValue(std::u16string_view text, DWORD type = REG_SZ);
RawValue DwordValue(DWORD number);
inline const RawValue Absent{};

// The one comparison of a registry value: a REG_SZ holding the text and its terminating zero.
::testing::AssertionResult HasString(std::u16string_view name, std::u16string_view text);

// The wallpaper as the system reports it.
std::u16string SystemWallpaper();
void SetSystemWallpaper(std::u16string_view path);

// Saves the wallpaper values (those of Windows 7 and later included), the system wallpaper
// and the three system colours, and puts them back at the end of each test: every suite of
// the run shares one prefix. Each test starts and ends without a record of what a start found.
class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest();
  ~DesktopTest() override;

 private:
  std::array<RawValue, 5> values_;
  std::u16string wallpaper_;
  std::array<Color, 3> colors_{};
};

// Access rules for a key: everyone may read it, or only query its values; both keep the
// right to put the old rule back. Every write is then refused by the registry.
inline constexpr const wchar_t* ReadAccessOnly = L"D:P(A;;KRRCWD;;;WD)";
inline constexpr const wchar_t* QueryAccessOnly = L"D:P(A;;0x00060001;;;WD)";  // KEY_QUERY_VALUE

// While it lives, the key (by default the desktop key; made when missing) has the given
// access rule instead of its own.
class RestrictedKey {
 public:
  explicit RestrictedKey(const wchar_t* accessRule, std::u16string_view keyPath = DesktopKeyPath);
  ~RestrictedKey();
  RestrictedKey(const RestrictedKey&) = delete;
  RestrictedKey& operator=(const RestrictedKey&) = delete;

 private:
  HKEY key_ = nullptr;
  std::vector<BYTE> saved_;
};

}  // namespace ovelix::testing_support
