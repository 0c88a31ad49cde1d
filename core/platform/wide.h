#pragma once

// UTF-16 text as the Windows API's wide characters, and back.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide characters are UTF-16 only on Windows");

namespace ovelix {

inline std::wstring ToWide(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string FromWide(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace ovelix
